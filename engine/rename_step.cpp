#include "engine/rename_step.h"

#include "engine/fold.h"
#include "location/join_path.h"
#include "location/platform.h"

namespace qomdex {

void RecordRenamed(PassReport::Renamed renamed, const PassOptions& options, PassReport& report) {
  report.renamed.push_back(std::move(renamed));
  if (options.observer) options.observer->Renamed(report.renamed.back());
}

void RecordKept(PassReport::Kept kept, const PassOptions& options, PassReport& report) {
  report.kept.push_back(std::move(kept));
  if (options.observer) options.observer->Kept(report.kept.back());
}

void RecordFailure(PassReport::Failure failure, const PassOptions& options, PassReport& report) {
  report.failures.push_back(std::move(failure));
  if (options.observer) options.observer->Failed(report.failures.back());
}

void CarryOut(RenameStep step, const PassOptions& options, TakenNames& taken, PassReport& report) {
  if (platform::NameHidesEntry(LastComponent(step.to))) {
    RecordKept({std::move(step.from), PassReport::KeptReason::kWouldHide}, options, report);
    return;
  }
  if (!options.dry_run) {
    std::error_code error;
    std::filesystem::path made = platform::Rename(step.from, step.to, error);
    if (error) {
      RecordFailure(
          {PassReport::FailureKind::kRename, std::move(step.from), std::move(step.to), error},
          options, report);
      return;
    }
    // The name the system actually gave is what the index and the report must hold.
    if (made.native() != step.to.native()) {
      step.to_fold = Fold(step.indexed_by_full_path ? made.native() : LastComponent(made));
      step.to = std::move(made);
    }
  }
  taken.Remove(step.from_fold);
  taken.Add(std::move(step.to_fold));
  RecordRenamed({std::move(step.from), std::move(step.to)}, options, report);
}

bool ContinueBefore(const PassOptions& options, PassReport& report) {
  if (options.observer == nullptr || !options.observer->StopRequested()) return true;
  report.stopped = true;
  return false;
}

bool ContinueAfter(const PassState& state, std::size_t total, const NativeString& name,
                   const PassOptions& options, PassReport& report) {
  const std::size_t done = state.ItemIndex + 1;
  if (options.observer == nullptr || options.observer->EntryDone(done, total, name) ||
      done == total) {
    return true;
  }
  report.stopped = true;
  return false;
}

void RefreshAfterPass(EntryList& list, const PassOptions& options, PassReport& report) {
  try {
    list.Refresh();
  } catch (const std::filesystem::filesystem_error& error) {
    RecordFailure({PassReport::FailureKind::kUnreadableDirectory, list.path(), {}, error.code()},
                  options, report);
  }
}

}  // namespace qomdex
