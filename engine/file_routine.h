#pragma once

#include <string>

#include "engine/pass.h"
#include "location/file_list.h"

namespace qomdex {

// The file pass: renames every file File1 lists whose name starts with digits, spaces,
// underscores or dashes to the name without them, or, when that name is taken in the directory,
// to the name with " copy (" CopyCount ")." before its extension. Every match the collision
// checks find (an unchanged name matches itself) adds one to state.CopyCount. The window's pass:
// File2 is re-read once, at the start, and File1 walked as it stood and re-read at the end (see
// RunPass). Touches the disk; throws std::filesystem::filesystem_error only when the
// directory cannot be opened and File2 re-read at the start, and records every later failure in
// the returned report. Like any allocation it throws std::bad_alloc when memory runs out, which
// ends the pass where it stands.
PassReport FileRoutine(PassState& state, FileList& file1, FileList& file2,
                       const PassOptions& options = {});

// The file pass's decisions, in state's working values: a name's cleaned form, or its copy-suffixed
// form when the cleaned one is taken.
class FilePlanner final : public PassPlanner {
 public:
  // Leaves out the entries `leave_out` names, when it is set; keeps a reference to it.
  explicit FilePlanner(PassState& state, const LeaveOut& leave_out)
      : state_(state), leave_out_(leave_out) {}
  bool IndexesFullPaths() const override { return false; }
  PlannedStep Decide(std::size_t position, const NativeString& name,
                     const std::filesystem::path& directory, const TakenNames& taken) override;

 private:
  PassState& state_;
  const LeaveOut& leave_out_;
  std::u16string new_fold_, suffixed_fold_;  // reused from entry to entry
};

// Builds state.SuffixedName from state.NewName and state.CopyCount: the copy suffix goes before
// the last dot, or at the end when there is no dot or the only dot is the first character, and is
// always followed by a dot. Sets state.DotPos to the base's length.
void BuildSuffixedName(PassState& state);

}  // namespace qomdex
