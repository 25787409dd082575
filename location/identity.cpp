#include "location/identity.h"

namespace qomdex::platform {
namespace {

bool NumbersMatch(const Identity& a, const Identity& b) {
  return a.device == b.device && a.file == b.file;
}

bool OnSameMount(const Identity& a, const Identity& b) {
  return a.mount != 0 && a.mount == b.mount;
}

// A number freed by a removal can be handed to a new entry on the same mount; its birth tells.
bool BornTogether(const Identity& a, const Identity& b) {
  return a.born == 0 || b.born == 0 || a.born == b.born;
}

bool NumbersMeanSomething(const Identity& a, const Identity& b) {
  return OnSameMount(a, b) || (a.numbers_durable && b.numbers_durable);
}

// Whether `now` is `recorded` in all but its modification time.
bool SameEntryBesidesTime(const Identity& recorded, const Identity& now) {
  if (recorded.type != now.type || recorded.size != now.size || !BornTogether(recorded, now)) {
    return false;
  }
  return !NumbersMeanSomething(recorded, now) || NumbersMatch(recorded, now);
}

// Whether the numbers and birth times of both tell for certain whether they are one entry.
bool NumbersProve(const Identity& recorded, const Identity& now) {
  return recorded.born != 0 && now.born != 0 && NumbersMeanSomething(recorded, now);
}

}  // namespace

bool MayBeSameEntry(const Identity& recorded, const Identity& now) {
  return recorded.type != Identity::Type::kUnknown && recorded.type == now.type &&
         BornTogether(recorded, now) &&
         (!NumbersMeanSomething(recorded, now) || NumbersMatch(recorded, now));
}

bool SameEntry(const Identity& recorded, const Identity& now) {
  if (recorded.type == Identity::Type::kUnknown) return NumbersMatch(recorded, now);
  // Proven by its numbers and its birth, an entry stays itself whatever is written to it.
  if (NumbersProve(recorded, now)) {
    return recorded.type == now.type && recorded.born == now.born && NumbersMatch(recorded, now);
  }
  return recorded.modified == now.modified && SameEntryBesidesTime(recorded, now);
}

bool SameEntryStampedAt(const Identity& recorded, const Identity& now, std::int64_t stamped,
                        std::int64_t margin) {
  if (SameEntry(recorded, now)) return true;
  return recorded.type != Identity::Type::kUnknown && !recorded.numbers_durable &&
         now.modified >= stamped - margin && now.modified <= stamped + margin &&
         SameEntryBesidesTime(recorded, now);
}

bool SameNumbers(const Identity& a, const Identity& b) { return NumbersMatch(a, b); }

}  // namespace qomdex::platform
