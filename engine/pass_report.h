#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

#include "engine/rename_record.h"
#include "location/platform.h"

namespace qomdex {

// What one pass did, entry by entry. A failure of one entry never ends a pass: it is recorded
// here and the pass goes on. The front ends choose the words for each kind of outcome.
struct PassReport {
  // Why an entry whose name would have been cleaned was left alone on purpose.
  enum class KeptReason {
    kWouldHide,     // its new name would start with a dot, which hides it
    kWouldBeEmpty,  // a folder named only with cut characters
    kIsJournal,     // it is the rename journal the pass is writing
    kDeviceName,    // its new name is one Windows keeps for a device (CON, COM1.txt)
  };
  struct Kept {
    std::filesystem::path path;
    KeptReason reason;
  };

  enum class FailureKind {
    // The system refused to give `path` the name `target`.
    kRename,
    // The directory `path` could not be read after the pass, or opened to undo renames in it.
    kUnreadableDirectory,
    // Undo: the entry now named `path` is not the one renamed, and `target` does not hold it
    // either, so it was left alone. `error` is set only when `path` could not be looked at (no
    // such entry, no permission, say).
    kNotRenamedEntry,
    // Undo: the entry now named `path` changed since the rename, and on its file system nothing
    // proves whether it is still the entry renamed, so it was left alone.
    kChangedUnproven,
    // The journal could not be written, so `path` was not renamed to `target` and the pass
    // stopped there.
    kJournal,
    // Undo: `path`, left behind by a rename cut short, could not be removed.
    kLeftover,
    // Undo: `path` holds what a placeholder would, but not the placeholder the rename made, so it
    // was left alone.
    kNotPlaceholder,
    // Undo: `path` may be what a rename cut short left, but it is not empty, so it was left alone.
    kNotEmpty,
  };
  struct Failure {
    FailureKind kind;
    std::filesystem::path path;    // the entry, or the directory
    std::filesystem::path target;  // the name the entry was to get, where there is one
    std::error_code error;         // the system's reason, where it gave one
  };

  // What was renamed (by an undo: put back, from the new name to the old one). In a dry run
  // without a journal the identities are unknown (all zero).
  RenameRecord renamed;
  std::vector<Kept> kept;
  std::vector<Failure> failures;
  // Undo only: what renames cut short had left (an empty placeholder, a second link to a file),
  // removed.
  std::vector<std::filesystem::path> removed;
  // True when an observer, or a journal that could not be written, stopped the pass before its
  // last entry.
  bool stopped = false;

  // Undo from a journal: a stretch of the journal that could not be read, where it begins (a
  // byte offset) and how many records it held; 0 when the rest of the journal could not be
  // told into records. What those records hold was not undone.
  struct Damage {
    std::uint64_t offset = 0;
    std::size_t unread = 0;
  };
  std::vector<Damage> damaged;
};

}  // namespace qomdex
