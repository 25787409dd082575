#pragma once

#include <atomic>
#include <ostream>
#include <string>
#include <vector>

namespace qomdex::cli {

inline constexpr char kProgramName[] = "qomdex-cli";

// Exit statuses of qomdex-cli.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitRenameFailed = 1;
inline constexpr int kExitUsageOrUnreadable = 2;
inline constexpr int kExitInterrupted = 130;

// What the terminal around a run offers.
struct Console {
  // Show a progress line on the error stream for passes longer than half a second.
  bool show_progress = false;
  // Set (by Ctrl+C) to stop the pass after its current entry and end the run.
  const std::atomic<bool>* interrupted = nullptr;
};

// Runs qomdex-cli with the arguments that follow the program name (UTF-8 on Windows, where one
// that is not throws std::filesystem::filesystem_error): cleans the file (or, with
// --folders, folder) names of each directory in turn, with one pass state for the whole run.
// Renames go to `out`, one line each; failures, notes and progress go to `err`. Touches the disk
// unless --dry-run. Returns the exit status; never throws for anything a user or the disk can
// cause.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const Console& console = {});

}  // namespace qomdex::cli
