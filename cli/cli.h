#pragma once

#include <atomic>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace qomdex::platform {
class SystemCalls;
}

namespace qomdex::cli {

inline constexpr char kProgramName[] = "qomdex-cli";

// Exit statuses of qomdex-cli, one rule for every mode: 128 + the signal's number when a signal
// stopped the run; else 2 for a usage error or a DIRECTORY that cannot be read; else 1 when any
// rename failed or the output could not be written; else 0.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsageOrUnreadable = 2;
inline constexpr int kExitSignalBase = 128;

// What the terminal around a run offers.
struct Console {
  // Show a progress line on the error stream for passes longer than half a second.
  bool show_progress = false;
  // Holds the number of the signal that asks the run to stop after the current entry (Ctrl+C,
  // SIGTERM, SIGHUP; on Windows also Ctrl+Break and closing the console); 0 while none has.
  const std::atomic<int>* stop_signal = nullptr;
  // Returns the terminal's width in columns, or 0 when it is unknown.
  std::function<int()> terminal_columns;
  // The system calls the run goes through; null for the system's own (a test's stand-in else).
  platform::SystemCalls* system_calls = nullptr;
};

// Runs qomdex-cli with the arguments that follow the program name (UTF-8 on Windows): cleans the
// file (or, with --folders, folder) names of each directory in turn, and with --recursive of every
// folder below it, with one pass state for the whole run. Each rename's line goes to `out` as the
// rename is made; failures, notes and progress go to `err`. Touches the disk unless --dry-run.
// Returns the exit status; never throws for anything a user, a signal or the disk can cause.
int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const Console& console = {});

}  // namespace qomdex::cli
