#pragma once

#include <filesystem>
#include <system_error>

#include "engine/journal.h"
#include "location/native_name.h"
#include "location/platform.h"

namespace qomdex {

// Writes each placeholder a fallback rename reserves to the journal before the rename goes on,
// so an undo can remove it should the process die before the rename replaces it, and writes that
// a reservation was refused, so an undo never takes another program's entry for it. Likewise the
// private name a linked file's old name is moved to before it is removed.
class PlaceholderWitness : public platform::RenameWitness {
 public:
  // Witnesses the rename of `from`, the entry `entry`, to `to` in `directory`; all are lent for
  // the rename's length. `putting_back`: the rename is an undo's, announced by a kPuttingBack
  // record before its first step, so a later undo knows its placeholder from a pass's.
  PlaceholderWitness(RenameJournal& journal, const std::filesystem::path& directory,
                     const NativeString& from, const NativeString& to,
                     const platform::Identity& entry, bool putting_back = false)
      : journal_(journal),
        directory_(directory),
        from_(from),
        to_(to),
        entry_(entry),
        putting_back_(putting_back) {}

  std::error_code Reserving() override;
  std::error_code Reserved(const platform::Identity& placeholder) override;
  void NotReserved() override;
  std::error_code SettingAside(const NativeString& aside) override;

  // Returns true when the rename failed because the journal could not be written.
  bool journal_failed() const { return journal_failed_; }

 private:
  // Writes the kPuttingBack record of an undo's rename; returns the journal's error, if any.
  std::error_code AnnouncePuttingBack();
  // Notes a failed write of the journal; returns `error`.
  std::error_code Written(std::error_code error) {
    journal_failed_ = journal_failed_ || bool(error);
    return error;
  }

  RenameJournal& journal_;
  const std::filesystem::path& directory_;
  const NativeString& from_;
  const NativeString& to_;
  const platform::Identity& entry_;
  bool putting_back_;
  bool journal_failed_ = false;
};

}  // namespace qomdex
