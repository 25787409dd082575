#include "engine/rename_step.h"

#include "engine/fold.h"
#include "location/join_path.h"
#include "location/platform.h"

namespace qomdex {

void CarryOut(RenameStep step, const PassOptions& options, TakenNames& taken, PassReport& report) {
  if (platform::NameHidesEntry(LastComponent(step.to))) {
    report.kept.push_back({std::move(step.from), PassReport::KeptReason::kWouldHide});
    return;
  }
  if (!options.dry_run) {
    std::error_code error;
    std::filesystem::path made = platform::Rename(step.from, step.to, error);
    if (error) {
      report.failures.push_back(
          {PassReport::FailureKind::kRename, std::move(step.from), std::move(step.to), error});
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
  report.renamed.push_back({std::move(step.from), std::move(step.to)});
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

void RefreshAfterPass(EntryList& list, PassReport& report) {
  try {
    list.Refresh();
  } catch (const std::filesystem::filesystem_error& error) {
    report.failures.push_back(
        {PassReport::FailureKind::kUnreadableDirectory, list.path(), {}, error.code()});
  }
}

}  // namespace qomdex
