#include "engine/rename_step.h"

#include "engine/fold.h"
#include "location/join_path.h"

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

void RecordRemoved(std::filesystem::path removed, const PassOptions& options, PassReport& report) {
  report.removed.push_back(std::move(removed));
  if (options.observer) options.observer->Removed(report.removed.back());
}

void CarryOut(RenameStep step, PassDirectory& directory, const PassOptions& options,
              TakenNames& taken, PassReport& report) {
  const std::filesystem::path& path = directory.path();
  if (platform::NameHidesEntry(step.to)) {
    RecordKept({JoinPath(path, step.from), PassReport::KeptReason::kWouldHide}, options, report);
    return;
  }
  // The one look at the entry a rename costs: its identity goes into the report, so an undo can
  // tell it from any other.
  std::error_code error;
  platform::Identity identity;
  if (!options.dry_run) identity = directory.Identify(step.from, error);
  NativeString made;
  if (!error) made = directory.Rename(step.from, step.to, identity, error);
  if (error) {
    RecordFailure({PassReport::FailureKind::kRename, JoinPath(path, step.from),
                   JoinPath(path, step.to), error},
                  options, report);
    return;
  }
  std::filesystem::path made_path = JoinPath(path, made);
  // The name the system actually gave is what the index and the report must hold.
  if (made != step.to) {
    step.to_fold = Fold(step.indexed_by_full_path ? made_path.native() : made);
  }
  taken.Remove(step.from_fold);
  taken.Add(std::move(step.to_fold));
  RecordRenamed({JoinPath(path, step.from), std::move(made_path), identity}, options, report);
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
