#pragma once

#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/pass_state.h"
#include "location/directory_list.h"

namespace qomdex {

// The folder pass: renames every subfolder Dir1 lists whose name starts with digits, spaces,
// dots, underscores or dashes to the name without them, or, when a subfolder of that name stands
// beside it, to the name with " Copy (" and its 0-based position in Dir1 ")" after it. Names are
// matched as the folds of whole paths. A folder whose name would become empty keeps it. Dir2 is
// re-read once, at the start, and Dir1 walked as it stood and re-read at the end, unless the
// options say otherwise. CopyCount is left alone. Touches the disk; throws
// std::filesystem::filesystem_error only when the directory cannot be opened and Dir2 re-read at
// the start, and records every later failure in the returned report. Like any allocation it
// throws std::bad_alloc when memory runs out, which ends the pass where it stands.
PassReport FolderRoutine(PassState& state, DirectoryList& dir1, DirectoryList& dir2,
                         const PassOptions& options = {});

// Returns the full path a taken folder name gets: the cleaned path, " Copy (", the number text of
// state.ItemIndex, ")".
std::filesystem::path SuffixedFolderPath(const PassState& state,
                                         const std::filesystem::path& directory);

}  // namespace qomdex
