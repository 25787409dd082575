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

// Whether `now` is `recorded` in all but its modification time.
bool SameEntryBesidesTime(const Identity& recorded, const Identity& now) {
  if (recorded.type != now.type || recorded.size != now.size || !BornTogether(recorded, now)) {
    return false;
  }
  const bool numbers_mean_something =
      OnSameMount(recorded, now) || (recorded.numbers_durable && now.numbers_durable);
  return !numbers_mean_something || NumbersMatch(recorded, now);
}

}  // namespace

bool SameEntry(const Identity& recorded, const Identity& now) {
  if (recorded.type == Identity::Type::kUnknown) return NumbersMatch(recorded, now);
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
