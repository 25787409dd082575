#pragma once

#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/pass_state.h"
#include "location/location_lists.h"

namespace qomdex::present {

// The two passes a user chooses between: the window's File option or the command line's default,
// and the window's Folder option or --folders.
enum class PassKind { kFiles, kFolders };

// Runs the chosen pass over the directory the lists stand on: the file pass over File1, mirrored
// in File2, or the folder pass over Dir1, mirrored in Dir2. Renames unless a dry run.
PassReport RunPass(PassKind kind, PassState& state, LocationLists& lists,
                   const PassOptions& options);

}  // namespace qomdex::present
