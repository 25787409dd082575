#include "cli/cli.h"

#include <filesystem>

#include "cli/arguments.h"
#include "cli/console_observer.h"
#include "cli/line_output.h"
#include "cli/progress.h"
#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "location/location_lists.h"
#include "location/quoting.h"

namespace qomdex::cli {
namespace {

// Says on the error stream why the run ended early, if it did.
void ReportEarlyEnd(const LineOutput& output, int stop_signal, std::ostream& err) {
  if (output.failed()) {
    err << kProgramName << ": cannot write the output: " << output.error().message();
    if (output.lost_renames() > 0) {
      err << "; " << output.lost_renames() << " renames were made whose lines were lost";
    }
    err << '\n';
  }
  if (stop_signal != 0) {
    err << kProgramName << ": stopped by signal " << stop_signal
        << "; the renames printed above were made, the remaining entries are untouched\n";
  }
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const Console& console) {
  const auto parsed = ParseArguments(args, out, err);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Arguments& arguments = std::get<Arguments>(parsed);

  static const std::atomic<int> kNoSignal{0};
  const std::atomic<int>& stop_signal = console.stop_signal ? *console.stop_signal : kNoSignal;
  LineOutput output(out);
  Progress progress(err, console.show_progress, console.terminal_columns);
  ConsoleObserver observer(output, err, progress, stop_signal);
  const PassOptions pass_options{.dry_run = arguments.dry_run, .observer = &observer};

  PassState state;
  LocationLists lists(Fold);
  bool unreadable = false;
  for (const std::filesystem::path& directory : arguments.directories) {
    if (observer.StopRequested()) break;
    if (arguments.directories.size() > 1) output.Line(QuoteName(directory) + ":", false);
    try {
      lists.OpenDirectory(directory);
      progress.Restart();
      if (arguments.folders) {
        FolderRoutine(state, lists.Dir1(), lists.Dir2(), pass_options);
      } else {
        FileRoutine(state, lists.File1(), lists.File2(), pass_options);
      }
      progress.Clear();
    } catch (const std::filesystem::filesystem_error& error) {
      err << kProgramName << ": cannot read directory " << QuoteName(directory) << ": "
          << error.code().message() << '\n';
      unreadable = true;
    }
  }
  output.Flush();
  ReportEarlyEnd(output, stop_signal.load(), err);

  if (stop_signal.load() != 0) return kExitSignalBase + stop_signal.load();
  if (unreadable) return kExitUsageOrUnreadable;
  return observer.any_failed() || output.failed() ? kExitFailure : kExitSuccess;
}

}  // namespace qomdex::cli
