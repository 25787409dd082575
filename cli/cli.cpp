#include "cli/cli.h"

#include <filesystem>
#include <variant>

#include "cli/quoting.h"
#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "engine/version.h"
#include "location/join_path.h"
#include "location/location_lists.h"

namespace qomdex::cli {
namespace {

constexpr char kProgram[] = "qomdex-cli";

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

struct Options {
  bool folders = false;
  bool dry_run = false;
  std::vector<std::filesystem::path> directories;
};

// Returns the options, or an exit status when the run ends here (help, version, usage error).
std::variant<Options, int> Parse(const std::vector<std::string>& args, std::ostream& out,
                                 std::ostream& err) {
  Options options;
  bool options_ended = false;
  for (const std::string& arg : args) {
    if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
      options.directories.emplace_back(arg);
    } else if (arg == "--") {
      options_ended = true;
    } else if (arg == "--help" || arg == "-h") {
      out << kHelp;
      return kExitSuccess;
    } else if (arg == "--version") {
      out << kProgram << ' ' << kVersionText << '\n';
      return kExitSuccess;
    } else if (arg == "--dry-run" || arg == "-n") {
      options.dry_run = true;
    } else if (arg == "--folders") {
      options.folders = true;
    } else {
      err << kProgram << ": unknown option " << QuoteName(arg) << "\nTry '" << kProgram
          << " --help' for more information.\n";
      return kExitUsageOrUnreadable;
    }
  }
  if (options.directories.empty()) {
    err << kProgram << ": no DIRECTORY given\nTry '" << kProgram
        << " --help' for more information.\n";
    return kExitUsageOrUnreadable;
  }
  return options;
}

std::string QuotedLastComponent(const std::filesystem::path& path) {
  return QuoteName(std::filesystem::path(LastComponent(path)));
}

void Print(const PassReport& report, std::ostream& out, std::ostream& err) {
  for (const auto& renamed : report.renamed) {
    out << QuotedLastComponent(renamed.from) << " -> " << QuotedLastComponent(renamed.to) << '\n';
  }
  for (const auto& kept : report.kept) {
    err << kProgram << ": kept " << QuotedLastComponent(kept.path) << ": " << kept.reason << '\n';
  }
  for (const auto& failure : report.failures) {
    if (failure.target.empty()) {
      err << kProgram << ": cannot read directory " << QuoteName(failure.path) << ": "
          << failure.reason << '\n';
    } else {
      err << kProgram << ": cannot rename " << QuotedLastComponent(failure.path) << " to "
          << QuotedLastComponent(failure.target) << ": " << failure.reason << '\n';
    }
  }
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const auto parsed = Parse(args, out, err);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Options& options = std::get<Options>(parsed);

  PassState state;
  LocationLists lists(Fold);
  bool unreadable = false;
  bool failed = false;
  for (const std::filesystem::path& directory : options.directories) {
    if (options.directories.size() > 1) out << QuoteName(directory) << ":\n";
    try {
      lists.OpenDirectory(directory);
      const PassOptions pass_options{.dry_run = options.dry_run};
      const PassReport report =
          options.folders ? FolderRoutine(state, lists.Dir1(), lists.Dir2(), pass_options)
                          : FileRoutine(state, lists.File1(), lists.File2(), pass_options);
      Print(report, out, err);
      failed = failed || !report.failures.empty();
    } catch (const std::filesystem::filesystem_error& error) {
      err << kProgram << ": cannot read directory " << QuoteName(directory) << ": "
          << error.code().message() << '\n';
      unreadable = true;
    }
  }
  if (unreadable) return kExitUsageOrUnreadable;
  return failed ? kExitRenameFailed : kExitSuccess;
}

}  // namespace qomdex::cli
