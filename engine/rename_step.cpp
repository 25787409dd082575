#include "engine/rename_step.h"

#include <optional>

#include "engine/fold.h"
#include "engine/journal.h"
#include "engine/placeholder_witness.h"
#include "location/join_path.h"

namespace qomdex {

void RecordRenamed(const std::filesystem::path& directory, const NativeString& from,
                   const NativeString& to, const platform::Identity& identity,
                   const PassOptions& options, PassReport& report) {
  if (options.keep_renamed)
    report.renamed.Add(directory, from, to, identity, platform::CurrentTime());
  if (options.observer) options.observer->Renamed(directory, from, to);
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

bool CarryOut(RenameStep step, PassDirectory& directory, const PassOptions& options,
              TakenNames& taken, PassReport& report) {
  const std::filesystem::path& path = directory.path();
  if (platform::NameHidesEntry(step.to)) {
    RecordKept({JoinPath(path, step.from), PassReport::KeptReason::kWouldHide}, options, report);
    return true;
  }
  if (platform::NameIsDevice(step.to)) {
    RecordKept({JoinPath(path, step.from), PassReport::KeptReason::kDeviceName}, options, report);
    return true;
  }
  // The one look at the entry a rename may cost: its identity goes into the journal and into a
  // kept report, so an undo can tell it from any other; a dry run needs it only to tell the
  // journal apart. A pass that keeps neither skips the look, which costs as much as the rename.
  std::error_code error;
  platform::Identity identity;
  if (options.journal || (options.keep_renamed && !options.dry_run)) {
    identity = directory.Identify(step.from, error);
  }
  if (!error && options.journal) {
    if (platform::SameNumbers(identity, options.journal->identity())) {
      RecordKept({JoinPath(path, step.from), PassReport::KeptReason::kIsJournal}, options, report);
      return true;
    }
    if (!options.dry_run) {
      // The record holds the name the entry will have, which the system may adjust.
      std::error_code unnamed;
      if (const std::error_code journal_error = options.journal->Write(
              {RenameJournal::Kind::kRename, path, step.from, platform::GivenName(step.to, unnamed),
               identity, platform::CurrentTime()})) {
        RecordFailure({PassReport::FailureKind::kJournal, JoinPath(path, step.from),
                       JoinPath(path, step.to), journal_error},
                      options, report);
        report.stopped = true;
        return false;
      }
    }
  }
  NativeString made;
  std::optional<PlaceholderWitness> witness;
  if (!error) {
    if (options.journal && !options.dry_run)
      witness.emplace(*options.journal, path, step.from, step.to, identity);
    made = directory.Rename(step.from, step.to, identity, error, witness ? &*witness : nullptr);
  }
  if (error) {
    // A fallback rename writes its steps to the journal too: the pass cannot go on without it.
    const bool journal_failed = witness && witness->journal_failed();
    RecordFailure(
        {journal_failed ? PassReport::FailureKind::kJournal : PassReport::FailureKind::kRename,
         JoinPath(path, step.from), JoinPath(path, step.to), error},
        options, report);
    report.stopped = report.stopped || journal_failed;
    return !journal_failed;
  }
  // Reported before anything else can fail, memory running out included: a rename made is
  // never left out of the report.
  RecordRenamed(path, step.from, made, identity, options, report);
  // The name the system actually gave is what the index must hold.
  std::u16string refolded;
  if (made != step.to) {
    refolded = Fold(step.indexed_by_full_path ? JoinPath(path, made).native() : made);
    step.to_fold = refolded;
  }
  taken.Remove(step.from_fold);
  taken.Add(step.to_fold);
  return true;
}

}  // namespace qomdex
