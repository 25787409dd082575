#include "cli/cli.h"

#include <filesystem>
#include <new>
#include <optional>

#include "cli/arguments.h"
#include "cli/console_observer.h"
#include "cli/folder_walk.h"
#include "cli/line_output.h"
#include "cli/progress.h"
#include "cli/wildcard.h"
#include "engine/fold.h"
#include "engine/journal.h"
#include "engine/pass.h"
#include "engine/undo.h"
#include "location/join_path.h"
#include "location/platform.h"
#include "present/outcome_words.h"
#include "present/quoting.h"

namespace qomdex::cli {
namespace {

using present::QuoteName;

constexpr char kMemoryRanOut[] = "memory ran out";

// Writes out what is left, says on the error stream why the run ended early, if it did, and
// returns the exit status by the one rule for every mode.
int Finish(LineOutput& output, const ConsoleObserver& observer, int stop_signal, bool unreadable,
           bool journal_failed, std::ostream& err, bool undo = false) {
  output.Flush();
  if (output.failed()) {
    err << kProgramName << ": cannot write the output: " << output.error().message();
    if (output.lost_renames() > 0) {
      err << "; " << present::LostLinesText(output.lost_renames());
    }
    err << '\n';
  }
  if (observer.memory_ran_out()) {
    err << kProgramName << ": " << kMemoryRanOut
        << (undo ? ", so the undo stopped; the entries printed above were put back; undo the same "
                   "journal again to put back the rest"
                 : ", so the run stopped; the renames printed above were made, the remaining "
                   "entries are untouched");
    if (observer.lines_not_made() > 0) {
      err << "; " << present::LostLinesText(observer.lines_not_made());
    }
    err << '\n';
  }
  if (stop_signal != 0 && undo) {
    err << kProgramName << ": stopped by signal " << stop_signal << "; " << observer.renamed()
        << (observer.renamed() == 1 ? " entry was" : " entries were")
        << " put back; undo the same journal again to put back the rest\n";
  } else if (stop_signal != 0) {
    err << kProgramName << ": stopped by signal " << stop_signal
        << "; the renames printed above were made, the remaining entries are untouched\n";
  }
  if (stop_signal != 0) return kExitSignalBase + stop_signal;
  if (unreadable) return kExitUsageOrUnreadable;
  return observer.any_failed() || output.failed() || observer.memory_ran_out() || journal_failed
             ? kExitFailure
             : kExitSuccess;
}

// Says where a journal is damaged and what of it was therefore not undone.
std::string DamageText(const std::filesystem::path& journal, const PassReport::Damage& damage) {
  std::string text = "the journal " + QuoteName(journal) + " is damaged at byte " +
                     std::to_string(damage.offset) + ": ";
  if (damage.unread == 0) return text + "nothing after it could be read, so none of it was undone";
  return text + std::to_string(damage.unread) +
         (damage.unread == 1 ? " record there could not be read, so it was not undone"
                             : " records there could not be read, so they were not undone");
}

int RunArguments(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 const Console& console) {
  const auto parsed = ParseArguments(args, out, err);
  if (const int* status = std::get_if<int>(&parsed)) return *status;
  const Arguments& arguments = std::get<Arguments>(parsed);

  static const std::atomic<int> kNoSignal{0};
  const std::atomic<int>& stop_signal = console.stop_signal ? *console.stop_signal : kNoSignal;
  LineOutput output(out);
  Progress progress(err, console.show_progress, console.terminal_columns);
  ConsoleObserver observer(output, err, progress, stop_signal);
  // Each line is printed as it is made and no list is shown afterwards, so the passes keep no
  // renames and skip the final listing; the mirror is the one just read by opening the directory.
  PassOptions pass_options{
      .dry_run = arguments.dry_run,
      .observer = &observer,
      .system_calls = console.system_calls,
      .keep_renamed = false,
      .leave_out = ExcludedBy(arguments.exclude),
  };

  if (arguments.undo) {
    PassReport report;
    try {
      report = UndoJournal(*arguments.undo, pass_options);
    } catch (const std::filesystem::filesystem_error& error) {
      err << kProgramName << ": cannot read the journal " << QuoteName(*arguments.undo) << ": "
          << error.code().message() << '\n';
      return kExitUsageOrUnreadable;
    } catch (const std::bad_alloc&) {
      observer.MemoryRanOut();
    }
    for (const PassReport::Damage& damage : report.damaged) {
      err << kProgramName << ": " << DamageText(*arguments.undo, damage) << '\n';
    }
    if (!report.stopped && report.damaged.empty() && observer.renamed() == 0 &&
        observer.removed() == 0 && !observer.any_failed()) {
      err << kProgramName << ": every entry already has its old name\n";
    }
    return Finish(output, observer, stop_signal.load(), false, !report.damaged.empty(), err, true);
  }

  std::optional<RenameJournal> journal;
  if (arguments.journal) {
    try {
      journal.emplace(*arguments.journal, pass_options.calls());
    } catch (const std::filesystem::filesystem_error& error) {
      err << kProgramName << ": cannot create the journal " << QuoteName(*arguments.journal) << ": "
          << error.code().message() << '\n';
      return kExitUsageOrUnreadable;
    }
    pass_options.journal = &*journal;
  }

  PassState state;
  bool unreadable = false;
  // Memory that runs out ends the run where it stands, with what was done reported.
  try {
    if (arguments.recursive) {
      FolderWalk walk(state, pass_options, observer, output, progress, err);
      unreadable = walk.Run(arguments.directories,
                            {.pass = arguments.pass, .max_depth = arguments.max_depth});
    } else {
      for (const std::filesystem::path& directory : arguments.directories) {
        if (observer.StopRequested()) break;
        if (arguments.directories.size() > 1) output.Line(QuoteName(directory) + ":", false);
        try {
          // Opened and read once; the pass renames through the same handle.
          const platform::Directory open(NormalizeDirectoryPath(directory), pass_options.calls());
          EntryList listing(arguments.pass, Fold);
          listing.ShowOpen(open);
          progress.Restart();
          RunPass(arguments.pass, state, open, listing, pass_options);
          progress.Clear();
        } catch (const std::filesystem::filesystem_error& error) {
          err << kProgramName << ": "
              << present::UnreadableText(present::Voice::kConsole, directory, error.code()) << '\n';
          unreadable = true;
        }
      }
    }
  } catch (const std::bad_alloc&) {
    observer.MemoryRanOut();
  }
  const std::error_code journal_error = journal ? journal->Sync() : std::error_code();
  if (journal_error) {
    err << kProgramName << ": cannot write the journal " << QuoteName(*arguments.journal)
        << " to its disk: " << journal_error.message() << '\n';
  }
  return Finish(output, observer, stop_signal.load(), unreadable, bool(journal_error), err);
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const Console& console) {
  try {
    return RunArguments(args, out, err, console);
  } catch (const std::bad_alloc&) {
    // Before any pass began or after all ended: nothing is left to report but this.
    err << kProgramName << ": " << kMemoryRanOut << '\n';
    return kExitFailure;
  }
}

}  // namespace qomdex::cli
