#pragma once

#include <filesystem>

#include "ui/win32/qomde.h"

namespace qomdex::testing {

// Opens a directory in the window's Dir1 one folder at a time from the root, as a double-click
// on each would; returns false when a folder on the way is not listed.
bool OpenInDir1(win32::qomde& window, const std::filesystem::path& directory);

}  // namespace qomdex::testing
