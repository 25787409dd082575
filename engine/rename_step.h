#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "engine/pass_directory.h"
#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/pass_state.h"
#include "engine/taken_names.h"
#include "location/entry_list.h"

namespace qomdex {

// One rename a pass has decided on, by bare names, with the folds under which the pass's index
// knows the old and the new name.
struct RenameStep {
  const NativeString& from;
  const NativeString& to;
  std::u16string_view from_fold;
  std::u16string_view to_fold;
  // The index holds folds of whole paths (folders) or of bare names (files); needed to refold a
  // new name that the system adjusted.
  bool indexed_by_full_path = false;
};

// Renames in the pass's directory unless the new name would hide the entry or is a device's, or
// the entry is the journal (then the entry is kept and reported as such); writes the rename to the
// journal, if any, first; records the outcome in the report and keeps `taken` in step with the
// disk, also in a dry run, which takes the same outcomes from what is on disk. Touches the disk (a
// dry run only reads it); never throws for a refused rename. Returns false, with the report
// stopped, when the journal could not be written and the pass must stop.
bool CarryOut(RenameStep step, PassDirectory& directory, const PassOptions& options,
              TakenNames& taken, PassReport& report);

// Record an outcome in the report and tell the observer, if any, at once. A rename's full paths
// are built only when the report keeps it.
void RecordRenamed(const std::filesystem::path& directory, const NativeString& from,
                   const NativeString& to, const platform::Identity& identity,
                   const PassOptions& options, PassReport& report);
void RecordKept(PassReport::Kept kept, const PassOptions& options, PassReport& report);
void RecordFailure(PassReport::Failure failure, const PassOptions& options, PassReport& report);
void RecordRemoved(std::filesystem::path removed, const PassOptions& options, PassReport& report);

// Makes room in the report for a rename of every entry `visible` lists, when the report keeps
// them, so that keeping them never copies what is kept. Throws std::bad_alloc when it cannot.
void MakeRoomForRenames(const EntryList& visible, const PassOptions& options, PassReport& report);

// Returns the folds of the names `mirror` lists (of whole paths when `full_paths`, as the folder
// pass keeps them), with room for a new name for each of `visible_count` entries, so the index
// never grows mid-pass: at a million names, growing holds the pass (and a window) for 200 ms.
// Tells the observer, if any, every few thousand names that the pass is working. Throws
// std::bad_alloc when memory runs out.
TakenNames IndexTakenNames(const EntryList& mirror, bool full_paths, std::size_t visible_count,
                           const PassOptions& options);

// Asks the observer, if any, whether to stop before the next entry; returns false, and marks the
// report stopped, when it says so.
bool ContinueBefore(const PassOptions& options, PassReport& report);

// Tells the observer, if any, that the entry at state.ItemIndex is done; returns false, and
// marks the report stopped, when the observer asks the pass to stop.
bool ContinueAfter(const PassState& state, std::size_t total, const NativeString& name,
                   const PassOptions& options, PassReport& report);

// Re-reads the visible list at the end of a pass so it shows the new names. Reads the disk; a
// directory that can no longer be read is recorded in the report, not thrown.
void RefreshAfterPass(EntryList& list, const PassOptions& options, PassReport& report);

}  // namespace qomdex
