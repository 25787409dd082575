#include "cli/options.h"

namespace qomdex::cli {

std::span<const OptionEntry> Options() {
  static constexpr OptionEntry kOptions[] = {
      {Option::kFolders, "--folders", nullptr, nullptr,
       "treat the immediate subfolders instead; dots are cut too, and a taken name gets "
       "\" Copy ( N)\" with the folder's position in the listing"},
      {Option::kRecursive, "--recursive", "-r", nullptr,
       "treat every folder below each DIRECTORY too, depth-first in the listing's order (with "
       "--folders, each folder's subfolders after everything below them); hidden folders and "
       "links to folders are not entered"},
      {Option::kMaxDepth, "--max-depth", nullptr, "N",
       "with --recursive, enter folders at most N levels below each DIRECTORY (0: DIRECTORY "
       "alone)"},
      {Option::kDryRun, "--dry-run", "-n", nullptr,
       "rename nothing; print exactly what the real run would do, refusals included"},
      {Option::kExclude, "--exclude", nullptr, "PATTERN",
       "leave every entry whose own name matches the shell wildcard PATTERN as it is, as an "
       "entry with nothing to cut (case counts; may be given more than once)"},
      {Option::kJournal, "--journal", nullptr, "FILE",
       "record each rename in FILE, a new file, before it is made, for --undo"},
      {Option::kUndo, "--undo", nullptr, "FILE",
       "give the entries the renames recorded in FILE made their old names back, last first"},
      {Option::kHelp, "--help", "-h", nullptr, "show this help and exit"},
      {Option::kVersion, "--version", nullptr, nullptr, "show the version and exit"},
  };
  return kOptions;
}

}  // namespace qomdex::cli
