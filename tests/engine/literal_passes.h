#pragma once

#include <filesystem>

#include "engine/pass_report.h"
#include "engine/pass_state.h"

namespace qomdex::testing {

// Deliberately plain models of the two passes: before every entry's collision check the
// directory is listed afresh and the cleaned name is compared with every listed entry. Slow,
// but obviously right, so the real passes' index can be checked against them.
PassReport LiteralFileRoutine(PassState& state, const std::filesystem::path& directory);
PassReport LiteralFolderRoutine(PassState& state, const std::filesystem::path& directory);

}  // namespace qomdex::testing
