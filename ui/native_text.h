#pragma once

#include <QString>
#include <filesystem>

#include "location/native_name.h"

namespace qomdex::ui {

// Returns a name as the window shows it. A name that is not valid text shows U+FFFD for each
// bad byte; the name itself is never changed, and this never fails.
QString NameText(const NativeString& name);

// Returns a path as the window shows it, like NameText.
QString PathText(const std::filesystem::path& path);

}  // namespace qomdex::ui
