#include "ui/form/window_arguments.h"

#include "engine/version.h"
#include "location/text_encoding.h"
#include "present/quoting.h"

namespace qomdex::form {
namespace {

constexpr int kExitUsage = 2;

constexpr char kHelp[] =
    "Usage: qomdex [DIRECTORY]\n"
    "Opens the window that cuts the leading run of digits, spaces, underscores and dashes from\n"
    "the names of a folder's files or subfolders, standing on DIRECTORY (a file: its folder);\n"
    "without one, on the root of the system volume. Nothing is renamed before the window's\n"
    "button is pressed.\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n";

int UsageError(std::ostream& err, const std::string& what) {
  err << "qomdex: " << what << "\nTry 'qomdex --help' for more information.\n";
  return kExitUsage;
}

}  // namespace

std::variant<WindowStart, int> ParseWindowArguments(const std::vector<std::string>& args,
                                                    std::ostream& out, std::ostream& err) {
  WindowStart start;
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (!options_ended && arg == "--") {
      options_ended = true;
    } else if (!options_ended && arg == "--help") {
      out << kHelp;
      return 0;
    } else if (!options_ended && arg == "--version") {
      out << "qomdex " << kVersionText << '\n';
      return 0;
    } else if (!options_ended && arg.size() > 1 && arg[0] == '-') {
      return UsageError(err, "unknown option " + present::QuoteName(NativeFromUtf8(arg)));
    } else if (start.folder) {
      return UsageError(err, "only one DIRECTORY can be given");
    } else {
      start.folder = std::filesystem::path(NativeFromUtf8(arg));
    }
  }
  return start;
}

}  // namespace qomdex::form
