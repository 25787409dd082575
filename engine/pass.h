#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/pass_state.h"
#include "engine/taken_names.h"
#include "location/entry_list.h"

namespace qomdex {

// What a pass decides for one entry.
struct PlannedStep {
  enum class Action {
    kLeave,             // the name has nothing to cut
    kKeepWouldBeEmpty,  // cutting would leave no name
    kRename,
  };
  Action action = Action::kLeave;
  // kRename only: the bare new name, and its fold as the index of taken names holds names. Both
  // stay valid until the planner's next decision.
  const NativeString* to = nullptr;
  std::u16string_view to_fold;
};

// Decides, entry by entry, what a pass does with each name; the file and the folder pass each
// have one, and run on the same skeleton (RunPass).
class PassPlanner {
 public:
  virtual ~PassPlanner() = default;
  // Returns true when the index of taken names holds folds of whole paths, false for bare names.
  virtual bool IndexesFullPaths() const = 0;
  // Decides the step of the entry at `position` of the listing, with bare name `name`, in
  // `directory`, from the names taken there as the pass holds them now. Never touches the disk.
  virtual PlannedStep Decide(std::size_t position, const NativeString& name,
                             const std::filesystem::path& directory, const TakenNames& taken) = 0;
};

// Runs a pass: `planner` decides a step for each entry `listing` shows, in its order, and each
// rename is carried out through the pass's one handle of the directory into the report and the
// caller's observer. New names are checked against `taken`, which is first re-read through that
// handle; a pass given its listing as `taken` uses it as read just before. The listing is left as
// it stood. Touches the disk; throws std::filesystem::filesystem_error only when the directory
// cannot be opened or `taken` re-read, and records every later failure in the returned report.
// Like any allocation it throws std::bad_alloc when memory runs out, which ends the pass where it
// stands.
PassReport RunPass(PassPlanner& planner, const EntryList& listing, EntryList& taken,
                   const PassOptions& options);

// Runs the file or the folder pass (see FileRoutine, FolderRoutine) as above, in state's working
// values; the file pass's copy numbers go on from state.CopyCount.
PassReport RunPass(EntryKind kind, PassState& state, const EntryList& listing, EntryList& taken,
                   const PassOptions& options = {});

// Runs the file or the folder pass as above on the open directory `directory`, through that
// handle, over `listing`, read through it just before and also the record of the names taken.
// Touches the disk; records every failure in the returned report.
PassReport RunPass(EntryKind kind, PassState& state, const platform::Directory& directory,
                   const EntryList& listing, const PassOptions& options);

// Re-reads a list after a pass so it shows the new names. Reads the disk; a directory that can no
// longer be read is recorded in the report (and told to the observer, if any), not thrown.
void RefreshAfterPass(EntryList& list, const PassOptions& options, PassReport& report);

}  // namespace qomdex
