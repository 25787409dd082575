#pragma once

#include <cstddef>
#include <functional>

#include "engine/pass_report.h"
#include "location/native_name.h"
#include "location/system_calls.h"

namespace qomdex {

class RenameJournal;

// Follows a pass entry by entry, and can stop it.
class PassObserver {
 public:
  virtual ~PassObserver() = default;
  // Told after each entry of the visible list is treated: `done` of `total`, and the entry's
  // name as listed. Returns false to stop the pass here; the pass then re-reads its visible
  // list and reports what it did, as a finished pass does.
  virtual bool EntryDone(std::size_t done, std::size_t total, const NativeString& name) = 0;

  // Asked before each entry, the first included; returns true to stop the pass there, so a stop
  // asked for while the pass was still reading its directory renames nothing.
  virtual bool StopRequested() { return false; }

  // Told every few thousand steps of the work a pass does before its first entry (indexing the
  // names of its directory), so a front end can keep its window answering.
  virtual void Working() {}

  // Told, before an undo from a journal begins, in how many folders its renames were made.
  virtual void UndoFolders(std::size_t /*count*/) {}

  // Told of each outcome the moment the pass records it in its report, so a front end can show
  // it at once: a rename made (or, in a dry run, one that would be), by its directory and bare
  // names, an entry kept, a failure.
  virtual void Renamed(const std::filesystem::path& /*directory*/, NativeStringView /*from*/,
                       NativeStringView /*to*/) {}
  virtual void Kept(const PassReport::Kept&) {}
  virtual void Failed(const PassReport::Failure&) {}
  virtual void Removed(const std::filesystem::path&) {}
};

// Returns true for the bare name of an entry the pass is to leave out.
using LeaveOut = std::function<bool(const NativeString& name)>;

// How a pass runs; the defaults are what the window does.
struct PassOptions {
  // Renames nothing and reports what the pass would do: a new name that exists on disk is
  // refused as the real rename would refuse it.
  bool dry_run = false;
  // Told after each entry when set; a pass without one pays nothing for it.
  PassObserver* observer = nullptr;
  // When set, every rename is written to it before it is made, and the journal file itself is
  // never renamed. A dry run writes nothing to it.
  RenameJournal* journal = nullptr;
  // The system calls a pass opens, reads and renames through; null for the system's own.
  platform::SystemCalls* system_calls = nullptr;
  // Off: renames go to the observer only and are not kept in the report, so a front end that
  // prints each one as it is made holds no memory for them.
  bool keep_renamed = true;
  // When set, an entry it names keeps its name and counts, for taken names and copy numbers, as
  // an entry whose name has nothing to cut. Asked once for each entry whose name would change, in
  // the pass's order, before anything else is decided or told of the entry.
  LeaveOut leave_out = {};

  // Returns the system calls to go through: system_calls, or the system's own.
  platform::SystemCalls& calls() const {
    return system_calls != nullptr ? *system_calls : platform::SystemCalls::Native();
  }
};

}  // namespace qomdex
