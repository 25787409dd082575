#include "cli/arguments.h"

#include "cli/cli.h"
#include "engine/version.h"
#include "location/quoting.h"
#include "location/text_encoding.h"

namespace qomdex::cli {
namespace {

constexpr char kHelp[] =
    "Usage: qomdex-cli [--folders] [--dry-run] DIRECTORY...\n"
    "Cuts the leading run of digits, spaces, underscores and dashes from the name of every\n"
    "file of each DIRECTORY ('01 - Intro.mp3' becomes 'Intro.mp3'). Where the cleaned name is\n"
    "taken, the file gets \" copy ( N).\" before its extension instead; N counts on across\n"
    "the directories of one run. Hidden entries are left alone.\n"
    "\n"
    "  --folders   treat the immediate subfolders instead; dots are cut too, and a taken\n"
    "              name gets \" Copy ( N)\" with the folder's position in the listing\n"
    "  --dry-run   rename nothing; print what would be renamed\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "\n"
    "Nothing is ever overwritten: a rename onto an existing name is refused and reported.\n"
    "Prints one line per rename, OLD -> NEW. Exit status: 0 when all went well, 1 when any\n"
    "rename failed, 2 for a usage error or a DIRECTORY that cannot be read.\n";

// Arguments are UTF-8 on Windows, where main converts the UTF-16 command line, and bytes
// elsewhere.
std::filesystem::path ArgumentPath(const std::string& arg) { return NativeFromUtf8(arg); }

}  // namespace

std::variant<Arguments, int> ParseArguments(const std::vector<std::string>& args, std::ostream& out,
                                            std::ostream& err) {
  Arguments options;
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
      options.directories.push_back(ArgumentPath(arg));
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      out << kHelp;
      return kExitSuccess;
    } else if (arg == "--version") {
      out << kProgramName << ' ' << kVersionText << '\n';
      return kExitSuccess;
    } else if (arg == "--dry-run" || arg == "-n") {
      options.dry_run = true;
    } else if (arg == "--folders") {
      options.folders = true;
    } else {
      err << kProgramName << ": unknown option " << QuoteName(ArgumentPath(arg)) << "\nTry '"
          << kProgramName << " --help' for more information.\n";
      return kExitUsageOrUnreadable;
    }
  }
  if (options.directories.empty()) {
    err << kProgramName << ": no DIRECTORY given\nTry '" << kProgramName
        << " --help' for more information.\n";
    return kExitUsageOrUnreadable;
  }
  return options;
}

}  // namespace qomdex::cli
