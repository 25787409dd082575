#include "engine/rename_step.h"

#include <optional>

#include "engine/fold.h"
#include "engine/journal.h"
#include "location/join_path.h"

namespace qomdex {
namespace {

// Writes each placeholder a fallback rename reserves to the journal before the rename goes on,
// so an undo can remove it should the process die before the rename replaces it.
class PlaceholderWitness : public platform::RenameWitness {
 public:
  PlaceholderWitness(RenameJournal& journal, const std::filesystem::path& directory,
                     const NativeString& from, const NativeString& to,
                     const platform::Identity& entry)
      : journal_(journal), directory_(directory), from_(from), to_(to), entry_(entry) {}

  // The placeholder's identity is known only once it exists, and a kill can come in between:
  // this record lets an undo find a placeholder that never got its own, by what it will be made
  // as and the record's time.
  std::error_code Reserving() override {
    platform::Identity expected;
    expected.type = entry_.type == platform::Identity::Type::kFolder
                        ? platform::Identity::Type::kFolder
                        : platform::Identity::Type::kFile;
    return Written(journal_.Write({RenameJournal::Kind::kReserving, directory_, from_, to_,
                                   expected, platform::CurrentTime()}));
  }

  std::error_code Reserved(const platform::Identity& placeholder) override {
    return Written(journal_.Write({RenameJournal::Kind::kPlaceholder, directory_, NativeString(),
                                   to_, placeholder, platform::CurrentTime()}));
  }

  // Returns true when the rename failed because the journal could not be written.
  bool journal_failed() const { return journal_failed_; }

 private:
  RenameJournal& journal_;
  const std::filesystem::path& directory_;
  const NativeString& from_;
  const NativeString& to_;
  const platform::Identity& entry_;
  bool journal_failed_ = false;

  std::error_code Written(std::error_code error) {
    journal_failed_ = journal_failed_ || bool(error);
    return error;
  }
};

}  // namespace

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
  // The name the system actually gave is what the index and the report must hold.
  std::u16string refolded;
  if (made != step.to) {
    refolded = Fold(step.indexed_by_full_path ? JoinPath(path, made).native() : made);
    step.to_fold = refolded;
  }
  taken.Remove(step.from_fold);
  taken.Add(step.to_fold);
  RecordRenamed(path, step.from, made, identity, options, report);
  return true;
}

}  // namespace qomdex
