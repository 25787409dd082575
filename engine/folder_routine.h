#pragma once

#include <string>

#include "engine/pass.h"
#include "location/directory_list.h"

namespace qomdex {

// The folder pass: renames every subfolder Dir1 lists whose name starts with digits, spaces,
// dots, underscores or dashes to the name without them, or, when a subfolder of that name stands
// beside it, to the name with " Copy (" and its 0-based position in Dir1 ")" after it. Names are
// matched as the folds of whole paths. A folder whose name would become empty keeps it. The
// window's pass: Dir2 is re-read once, at the start, and Dir1 walked as it stood and re-read at the
// end (see RunPass). CopyCount is left alone. Touches the disk; throws
// std::filesystem::filesystem_error only when the directory cannot be opened and Dir2 re-read at
// the start, and records every later failure in the returned report. Like any allocation it
// throws std::bad_alloc when memory runs out, which ends the pass where it stands.
PassReport FolderRoutine(PassState& state, DirectoryList& dir1, DirectoryList& dir2,
                         const PassOptions& options = {});

// The folder pass's decisions, in state's working values: a folder's cleaned name, or that name
// with its position when a folder of that name stands beside it.
class FolderPlanner final : public PassPlanner {
 public:
  // Leaves out the entries `leave_out` names, when it is set; keeps a reference to it.
  explicit FolderPlanner(PassState& state, const LeaveOut& leave_out)
      : state_(state), leave_out_(leave_out) {}
  bool IndexesFullPaths() const override { return true; }
  PlannedStep Decide(std::size_t position, const NativeString& name,
                     const std::filesystem::path& directory, const TakenNames& taken) override;

 private:
  PassState& state_;
  const LeaveOut& leave_out_;
  NativeString new_name_;       // the name decided on
  std::u16string target_fold_;  // its fold when suffixed
};

// Returns the full path a taken folder name gets: the cleaned path, " Copy (", the number text of
// state.ItemIndex, ")".
std::filesystem::path SuffixedFolderPath(const PassState& state,
                                         const std::filesystem::path& directory);

}  // namespace qomdex
