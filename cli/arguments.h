#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <ostream>
#include <string>
#include <variant>
#include <vector>

#include "location/entry_list.h"

namespace qomdex::cli {

// What one run of qomdex-cli is asked to do.
struct Arguments {
  EntryKind pass = EntryKind::kFile;  // --folders: the folder pass
  bool dry_run = false;
  // Every folder below each directory too (--recursive), at most this many levels down.
  bool recursive = false;
  std::optional<std::size_t> max_depth;
  // The journal to record the renames in (--journal), or to undo (--undo).
  std::optional<std::filesystem::path> journal;
  std::optional<std::filesystem::path> undo;
  // The wildcards of the entries to leave as they are (--exclude), as given.
  std::vector<std::string> exclude;
  std::vector<std::filesystem::path> directories;
};

// Returns the arguments, or the exit status when the run ends here: help and version are
// written to `out`, usage errors to `err`. Never touches the disk.
std::variant<Arguments, int> ParseArguments(const std::vector<std::string>& args, std::ostream& out,
                                            std::ostream& err);

// Returns the text --help shows, its option lines made from the table of options.
std::string HelpText();

}  // namespace qomdex::cli
