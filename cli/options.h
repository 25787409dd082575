#pragma once

#include <span>

namespace qomdex::cli {

// The options of qomdex-cli, in the order --help and the manual page list them.
enum class Option {
  kFolders,
  kRecursive,
  kMaxDepth,
  kDryRun,
  kExclude,
  kJournal,
  kUndo,
  kHelp,
  kVersion,
};

struct OptionEntry {
  Option option;
  const char* name;      // the long form, "--folders"
  const char* alias;     // a short form ("-n"), or null
  const char* argument;  // the name of the value it takes ("FILE"), or null
  const char* help;      // one line for --help
};

// The one table of options that the parser, --help and the manual page's test all read.
std::span<const OptionEntry> Options();

}  // namespace qomdex::cli
