#include "engine/placeholder_witness.h"

namespace qomdex {
namespace {

// What a placeholder for `entry` is made as: only its type is known before it exists.
platform::Identity Expected(const platform::Identity& entry) {
  platform::Identity expected;
  expected.type = entry.type == platform::Identity::Type::kFolder
                      ? platform::Identity::Type::kFolder
                      : platform::Identity::Type::kFile;
  return expected;
}

}  // namespace

// An undo's rename announces itself before its first recorded step, so a later undo takes that
// step for the undo's own.
std::error_code PlaceholderWitness::AnnouncePuttingBack() {
  if (!putting_back_) return {};
  return Written(journal_.Write({RenameJournal::Kind::kPuttingBack, directory_, from_, to_, entry_,
                                 platform::CurrentTime()}));
}

// The placeholder's identity is known only once it exists, and a kill can come in between: this
// record lets an undo find a placeholder that never got its own, by what it will be made as and
// the record's time.
std::error_code PlaceholderWitness::Reserving() {
  if (const std::error_code error = AnnouncePuttingBack()) return error;
  return Written(journal_.Write({RenameJournal::Kind::kReserving, directory_, from_, to_,
                                 Expected(entry_), platform::CurrentTime()}));
}

std::error_code PlaceholderWitness::Reserved(const platform::Identity& placeholder) {
  return Written(journal_.Write({RenameJournal::Kind::kPlaceholder, directory_, NativeString(), to_,
                                 placeholder, platform::CurrentTime()}));
}

// A record that cannot be written leaves the journal as a kill right here would.
void PlaceholderWitness::NotReserved() {
  journal_.Write({RenameJournal::Kind::kNotReserved, directory_, from_, to_, Expected(entry_),
                  platform::CurrentTime()});
}

std::error_code PlaceholderWitness::SettingAside(const NativeString& aside) {
  if (const std::error_code error = AnnouncePuttingBack()) return error;
  return Written(journal_.Write(
      {RenameJournal::Kind::kSetAside, directory_, aside, to_, entry_, platform::CurrentTime()}));
}

}  // namespace qomdex
