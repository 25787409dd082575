#pragma once

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "engine/pass_options.h"
#include "engine/pass_report.h"
#include "engine/pass_state.h"

namespace qomdex::testing {

// Opens a directory the way the window does and runs one pass over it.
PassReport RunFilePass(PassState& state, const std::filesystem::path& directory,
                       const PassOptions& options = {});
PassReport RunFolderPass(PassState& state, const std::filesystem::path& directory,
                         const PassOptions& options = {});

// Returns the last components of the paths a report names, for comparing with expectations.
std::vector<std::string> RenamedTo(const PassReport& report);
std::vector<std::string> FailedNames(const PassReport& report);

}  // namespace qomdex::testing
