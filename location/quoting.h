#pragma once

#include <filesystem>
#include <string>

namespace qomdex::cli {

// Returns a name as a terminal line can show it unambiguously: bare when it is plain printable
// text; otherwise in single quotes, with backslash escapes for quotes, backslashes, control
// characters (\n, \t, \r, \xHH) and bytes that are not UTF-8 (\xHH).
std::string QuoteName(const std::filesystem::path& name);

}  // namespace qomdex::cli
