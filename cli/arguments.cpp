#include "cli/arguments.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

#include "cli/cli.h"
#include "cli/options.h"
#include "engine/version.h"
#include "location/text_encoding.h"
#include "present/quoting.h"

namespace qomdex::cli {
namespace {

constexpr char kUsage[] =
    "Usage: qomdex-cli [--folders] [--recursive [--max-depth N]] [--dry-run]\n"
    "                  [--exclude PATTERN]... [--journal FILE] DIRECTORY...\n"
    "       qomdex-cli --undo FILE [--dry-run]\n";

constexpr char kAbout[] =
    "Cuts the leading run of digits, spaces, underscores and dashes from the name of every\n"
    "file of each DIRECTORY ('01 - Intro.mp3' becomes 'Intro.mp3'). Where the cleaned name is\n"
    "taken, the file gets \" copy ( N).\" before its extension instead; N counts on across\n"
    "the directories of one run. Hidden entries are left alone. With --recursive, every\n"
    "folder below each DIRECTORY is treated too.\n";

constexpr char kClosing[] =
    "Nothing is ever overwritten: a rename onto an existing name is refused and reported.\n"
    "Prints one line per rename, OLD -> NEW, as it is made. Exit status: 128 + the signal's\n"
    "number when a signal stopped the run; else 2 for a usage error or a DIRECTORY that cannot\n"
    "be read; else 1 when any rename failed or the output could not be written; else 0.\n";

constexpr std::size_t kHelpColumn = 22;
constexpr std::size_t kHelpWidth = 79;

// Appends `text` broken into lines that start at kHelpColumn and end before kHelpWidth.
void AppendWrapped(std::string& help, const std::string& text) {
  std::istringstream words(text);
  std::string word;
  std::size_t column = help.size() - help.rfind('\n') - 1;
  while (words >> word) {
    if (column > kHelpColumn && column + 1 + word.size() > kHelpWidth) {
      help += '\n' + std::string(kHelpColumn, ' ');
      column = kHelpColumn;
    } else if (column > kHelpColumn) {
      help += ' ';
      ++column;
    }
    help += word;
    column += word.size();
  }
  help += '\n';
}

// Arguments are UTF-8 on Windows, where main converts the UTF-16 command line, and bytes
// elsewhere.
std::filesystem::path ArgumentPath(const std::string& arg) { return NativeFromUtf8(arg); }

const OptionEntry* FindOption(const std::string& name) {
  const auto options = Options();
  const auto found = std::find_if(options.begin(), options.end(), [&](const OptionEntry& entry) {
    return name == entry.name || (entry.alias != nullptr && name == entry.alias);
  });
  return found == options.end() ? nullptr : &*found;
}

int UsageError(std::ostream& err, const std::string& what) {
  err << kProgramName << ": " << what << "\nTry '" << kProgramName
      << " --help' for more information.\n";
  return kExitUsageOrUnreadable;
}

// Returns the number a whole decimal text holds, or nothing for any other text.
std::optional<std::size_t> WholeNumber(const std::string& text) {
  std::size_t number = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, number);
  if (text.empty() || error != std::errc() || stop != end) return std::nullopt;
  return number;
}

// Returns the arguments with each bundle of short options ("-rn") as its options one by one
// ("-r", "-n"); none of them takes a value. Arguments after "--" stay as they are.
std::vector<std::string> Unbundled(const std::vector<std::string>& args) {
  std::vector<std::string> unbundled;
  bool options_ended = false;
  for (const std::string& arg : args) {
    options_ended = options_ended || arg == "--";
    if (options_ended || arg.size() <= 2 || arg[0] != '-' || arg[1] == '-') {
      unbundled.push_back(arg);
      continue;
    }
    for (std::size_t i = 1; i < arg.size(); ++i) unbundled.push_back({'-', arg[i]});
  }
  return unbundled;
}

// Returns the reason a combination of options cannot run, or nothing.
const char* ConflictIn(const Arguments& arguments) {
  if (arguments.max_depth && !arguments.recursive) return "--max-depth needs --recursive";
  if (arguments.undo) {
    if (!arguments.directories.empty()) return "--undo takes no DIRECTORY";
    if (arguments.recursive) return "--undo cannot be combined with --recursive";
    if (arguments.pass == EntryKind::kFolder) return "--undo cannot be combined with --folders";
    if (arguments.journal) return "--undo cannot be combined with --journal";
    if (!arguments.exclude.empty()) return "--undo cannot be combined with --exclude";
    return nullptr;
  }
  if (arguments.journal && arguments.dry_run) return "--journal cannot be combined with --dry-run";
  if (arguments.directories.empty()) return "no DIRECTORY given";
  return nullptr;
}

}  // namespace

std::string HelpText() {
  std::string help = std::string(kUsage) + kAbout + '\n';
  for (const OptionEntry& entry : Options()) {
    std::string names = "  ";
    if (entry.alias != nullptr) names += std::string(entry.alias) + ", ";
    names += entry.name;
    if (entry.argument != nullptr) names += std::string(" ") + entry.argument;
    names.resize(std::max(names.size() + 1, kHelpColumn), ' ');
    help += names;
    AppendWrapped(help, entry.help);
  }
  return help + '\n' + kClosing;
}

std::variant<Arguments, int> ParseArguments(const std::vector<std::string>& given,
                                            std::ostream& out, std::ostream& err) {
  const std::vector<std::string> args = Unbundled(given);
  Arguments arguments;
  std::set<Option> valued;
  bool options_ended = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_ended || arg.empty() || arg[0] != '-' || arg == "-") {
      arguments.directories.push_back(ArgumentPath(arg));
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    // A value may follow its option as the next argument or after '=' ("--journal=FILE").
    const std::size_t equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    const OptionEntry* entry = FindOption(arg.substr(0, equals));
    if (entry == nullptr) {
      return UsageError(err, "unknown option " + present::QuoteName(ArgumentPath(arg)));
    }
    if (equals != std::string::npos && entry->argument == nullptr) {
      return UsageError(err, std::string("option ") + entry->name + " takes no value");
    }
    // A second value would silently replace the first: a second journal, say, for the one meant.
    // Each --exclude adds a pattern.
    if (entry->argument != nullptr && entry->option != Option::kExclude &&
        !valued.insert(entry->option).second) {
      return UsageError(err, std::string("option ") + entry->name + " is given more than once");
    }
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else if (entry->argument != nullptr) {
      if (i + 1 == args.size()) {
        const std::string wanted =
            entry->option == Option::kMaxDepth ? "a number" : std::string("a ") + entry->argument;
        return UsageError(err, std::string("option ") + entry->name + " needs " + wanted);
      }
      value = args[++i];
    }
    switch (entry->option) {
      case Option::kFolders: arguments.pass = EntryKind::kFolder; break;
      case Option::kRecursive: arguments.recursive = true; break;
      case Option::kMaxDepth:
        arguments.max_depth = WholeNumber(value);
        if (!arguments.max_depth) {
          return UsageError(err, "option --max-depth needs a number, not " +
                                     present::QuoteName(ArgumentPath(value)));
        }
        break;
      case Option::kDryRun: arguments.dry_run = true; break;
      case Option::kExclude: arguments.exclude.push_back(value); break;
      case Option::kJournal: arguments.journal = ArgumentPath(value); break;
      case Option::kUndo: arguments.undo = ArgumentPath(value); break;
      case Option::kHelp: out << HelpText(); return kExitSuccess;
      case Option::kVersion:
        out << kProgramName << ' ' << kVersionText << '\n';
        return kExitSuccess;
    }
  }
  if (const char* conflict = ConflictIn(arguments)) return UsageError(err, conflict);
  return arguments;
}

}  // namespace qomdex::cli
