#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

namespace qomdex::form {

// Where the window is asked to open: on a folder (a file: its folder), or without one where it
// always opens.
struct WindowStart {
  std::optional<std::filesystem::path> folder;
};

// Returns where the window opens, or the exit status when the program ends without a window:
// 0 after --help or --version, written to `out`; 2 after a usage error, written to `err`. The
// arguments follow the program's name, in UTF-8 on Windows. Never touches the disk.
std::variant<WindowStart, int> ParseWindowArguments(const std::vector<std::string>& args,
                                                    std::ostream& out, std::ostream& err);

}  // namespace qomdex::form
