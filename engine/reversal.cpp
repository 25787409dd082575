#include "engine/reversal.h"

#include "engine/placeholder_witness.h"
#include "engine/rename_step.h"
#include "location/join_path.h"

namespace qomdex {
namespace {

bool Holds(const PassDirectory& directory, const NativeString& name,
           const platform::Identity& identity) {
  std::error_code error;
  return platform::SameEntry(identity, directory.Identify(name, error)) && !error;
}

// How far a time a file system shows may lie from the system's clock at the moment it was
// stamped: FAT keeps times to two seconds.
const std::int64_t kStampMargin = 2 * platform::kTicksPerSecond;

// Returns true when `now` can be the placeholder announced at `announced` as `expected`: of its
// type, and made about then.
bool CanBeUnrecordedPlaceholder(const platform::Identity& expected, std::int64_t announced,
                                const platform::Identity& now) {
  return now.type == expected.type && now.modified >= announced - kStampMargin &&
         now.modified <= announced + kStampMargin;
}

}  // namespace

PassDirectory* Reversal::Open(const std::filesystem::path& directory) {
  auto [found, first] = directories_.try_emplace(directory);
  if (first) {
    try {
      found->second.emplace(directory, options_);
    } catch (const std::filesystem::filesystem_error& error) {
      RecordFailure({PassReport::FailureKind::kUnreadableDirectory, directory, {}, error.code()},
                    options_, report_);
    }
  }
  return found->second ? &*found->second : nullptr;
}

void Reversal::LeftAlone(PassReport::FailureKind kind, PassDirectory& directory,
                         const NativeString& name) {
  RecordFailure({kind, JoinPath(directory.path(), name), {}, {}}, options_, report_);
}

void Reversal::Remove(PassDirectory& directory, const NativeString& name,
                      const platform::Identity& identity) {
  std::error_code error;
  directory.RemoveResidue(name, identity, error);
  if (!error) {
    RecordRemoved(JoinPath(directory.path(), name), options_, report_);
  } else if (error == std::errc::directory_not_empty) {
    LeftAlone(PassReport::FailureKind::kNotEmpty, directory, name);
  } else {
    RecordFailure({PassReport::FailureKind::kLeftover, JoinPath(directory.path(), name), {}, error},
                  options_, report_);
  }
}

bool Reversal::StopRequested() {
  if (options_.observer != nullptr && options_.observer->StopRequested()) report_.stopped = true;
  return report_.stopped;
}

void Reversal::ClearCutShort(const std::filesystem::path& path, const Step& step) {
  PassDirectory* directory = Open(path);
  if (directory == nullptr) return;
  RemoveSetAside(*directory, step);
  if (!Holds(*directory, step.from, step.entry)) return;
  std::error_code error;
  directory->Identify(step.to, error);
  if (!error) RemoveLeftBehind(*directory, step);
}

void Reversal::Undo(const std::filesystem::path& path, const Step& step) {
  PassDirectory* directory = Open(path);
  if (directory == nullptr) return;
  RemoveSetAside(*directory, step);
  std::error_code error;
  const platform::Identity now = directory->Identify(step.to, error);
  if (!error && platform::SameEntryStampedAt(step.entry, now, step.renamed_at, kStampMargin)) {
    PutBack(*directory, step, now);
    return;
  }
  // The rename was never made, or has been put back already.
  if (Holds(*directory, step.from, step.entry)) {
    if (!error) RemoveLeftBehind(*directory, step);
    return;
  }
  // Of the same kind, yet changed, where nothing proves it another entry or the same one.
  const bool unproven = !error && platform::MayBeSameEntry(step.entry, now);
  RecordFailure({unproven ? PassReport::FailureKind::kChangedUnproven
                          : PassReport::FailureKind::kNotRenamedEntry,
                 JoinPath(path, step.to), JoinPath(path, step.from), error},
                options_, report_);
}

void Reversal::PutBack(PassDirectory& directory, const Step& step, const platform::Identity& now) {
  std::optional<PlaceholderWitness> witness;
  if (journal_ != nullptr && !options_.dry_run) {
    witness.emplace(*journal_, directory.path(), step.to, step.from, now, true);
  }
  std::error_code error;
  const NativeString given =
      directory.Rename(step.to, step.from, step.entry, error, witness ? &*witness : nullptr);
  if (!error) {
    RecordRenamed(directory.path(), step.to, given, step.entry, options_, report_);
  } else if (error == std::errc::file_exists && Holds(directory, step.from, step.entry)) {
    // A link fallback cut short: both names hold the file, and the new one is a second link.
    Remove(directory, step.to, step.entry);
  } else {
    RecordFailure({PassReport::FailureKind::kRename, JoinPath(directory.path(), step.to),
                   JoinPath(directory.path(), step.from), error},
                  options_, report_);
  }
}

void Reversal::RemoveSetAside(PassDirectory& directory, const Step& step) {
  if (step.aside != nullptr && Holds(directory, *step.aside, step.entry)) {
    Remove(directory, *step.aside, step.entry);
  }
}

void Reversal::RemoveLeftBehind(PassDirectory& directory, const Step& step) {
  if (step.placeholder != nullptr) {
    if (Holds(directory, step.to, *step.placeholder)) {
      Remove(directory, step.to, *step.placeholder);
    } else {
      LeftAlone(PassReport::FailureKind::kNotPlaceholder, directory, step.to);
    }
    return;
  }
  if (step.reserving == nullptr) return;
  std::error_code error;
  const platform::Identity now = directory.Identify(step.to, error);
  if (error) return;
  // A journal of the first version knew only the entry's numbers, and no time.
  if (step.reserving->type != platform::Identity::Type::kUnknown &&
      !CanBeUnrecordedPlaceholder(*step.reserving, step.reserving_at, now)) {
    LeftAlone(PassReport::FailureKind::kNotPlaceholder, directory, step.to);
    return;
  }
  directory.RemoveEmptyEntry(step.to, error);
  if (!error) {
    RecordRemoved(JoinPath(directory.path(), step.to), options_, report_);
  } else {
    LeftAlone(error == std::errc::directory_not_empty ? PassReport::FailureKind::kNotEmpty
                                                      : PassReport::FailureKind::kNotPlaceholder,
              directory, step.to);
  }
}

}  // namespace qomdex
