#include "engine/pass.h"

#include "engine/file_routine.h"
#include "engine/fold.h"
#include "engine/folder_routine.h"
#include "engine/rename_step.h"
#include "location/join_path.h"

namespace qomdex {
namespace {

// Makes room in the report for a rename of every entry `listing` shows, when the report keeps
// them, so that keeping them never copies what is kept. Throws std::bad_alloc when it cannot.
void MakeRoomForRenames(const EntryList& listing, const PassOptions& options, PassReport& report) {
  if (!options.keep_renamed) return;
  // A new name is at most its old one with a copy suffix: " copy (", a blank, up to 20 digits,
  // ").".
  constexpr std::size_t kLongestSuffix = 30;
  std::size_t units = 0;
  for (std::size_t i = 0; i < listing.count(); ++i) units += listing.name(i).size();
  report.renamed.Reserve(listing.count(), 2 * units + kLongestSuffix * listing.count());
}

// Returns the folds of the names `taken` lists (of whole paths when `full_paths`), with room for
// a new name for each of `listed` entries, so the index never grows mid-pass: at a million
// names, growing holds the pass (and a window) for 200 ms. Tells the observer, if any, every few
// thousand names that the pass is working. Throws std::bad_alloc when memory runs out.
TakenNames IndexTakenNames(const EntryList& taken_list, bool full_paths, std::size_t listed,
                           const PassOptions& options) {
  // Often enough that a window answers within a few milliseconds; rarely enough to cost nothing.
  constexpr std::size_t kNamesPerTelling = 4096;
  TakenNames taken;
  taken.Reserve(taken_list.count() + listed);
  std::u16string fold;  // reused from name to name
  for (std::size_t i = 0; i < taken_list.count(); ++i) {
    if (options.observer && i > 0 && i % kNamesPerTelling == 0) options.observer->Working();
    const NativeString& name = taken_list.name(i);
    FoldInto(full_paths ? JoinPath(taken_list.path(), name).native() : name, fold);
    taken.Add(fold);
  }
  return taken;
}

// Asks the observer, if any, whether to stop before the next entry; returns false, and marks the
// report stopped, when it says so.
bool ContinueBefore(const PassOptions& options, PassReport& report) {
  if (options.observer == nullptr || !options.observer->StopRequested()) return true;
  report.stopped = true;
  return false;
}

// Tells the observer, if any, that `done` of `total` entries are treated, the last one `name`;
// returns false, and marks the report stopped, when the observer asks the pass to stop.
bool ContinueAfter(std::size_t done, std::size_t total, const NativeString& name,
                   const PassOptions& options, PassReport& report) {
  if (options.observer == nullptr || options.observer->EntryDone(done, total, name) ||
      done == total) {
    return true;
  }
  report.stopped = true;
  return false;
}

// Runs the pass through the directory's one handle, `taken` read through it already.
PassReport RunPassThrough(PassDirectory& directory, PassPlanner& planner, const EntryList& listing,
                          const EntryList& taken_list, const PassOptions& options) {
  directory.ExpectRenames(listing.count());
  const bool full_paths = planner.IndexesFullPaths();
  TakenNames taken = IndexTakenNames(taken_list, full_paths, listing.count(), options);

  PassReport report;
  MakeRoomForRenames(listing, options, report);
  std::u16string from_fold;  // reused from entry to entry
  for (std::size_t position = 0; position < listing.count(); ++position) {
    if (!ContinueBefore(options, report)) break;
    const NativeString& name = listing.name(position);
    const PlannedStep step = planner.Decide(position, name, listing.path(), taken);
    if (step.action == PlannedStep::Action::kKeepWouldBeEmpty) {
      RecordKept({JoinPath(listing.path(), name), PassReport::KeptReason::kWouldBeEmpty}, options,
                 report);
    } else if (step.action == PlannedStep::Action::kRename) {
      FoldInto(full_paths ? JoinPath(listing.path(), name).native() : name, from_fold);
      if (!CarryOut({name, *step.to, from_fold, step.to_fold, full_paths}, directory, options,
                    taken, report)) {
        break;
      }
    }
    if (!ContinueAfter(position + 1, listing.count(), name, options, report)) break;
  }
  return report;
}

// Runs the pass `kind` chooses in state's working values, as RunPass(planner, ...) would.
template <typename Run>
PassReport RunPassOfKind(EntryKind kind, PassState& state, const PassOptions& options, Run&& run) {
  if (kind == EntryKind::kFolder) {
    FolderPlanner planner(state, options.leave_out);
    return run(planner);
  }
  FilePlanner planner(state, options.leave_out);
  return run(planner);
}

}  // namespace

PassReport RunPass(PassPlanner& planner, const EntryList& listing, EntryList& taken_list,
                   const PassOptions& options) {
  // The directory is opened once; the taken names are read and every entry renamed through it.
  PassDirectory directory(listing.path(), options);
  if (&taken_list != &listing) taken_list.Refresh(directory.handle());
  return RunPassThrough(directory, planner, listing, taken_list, options);
}

PassReport RunPass(EntryKind kind, PassState& state, const EntryList& listing, EntryList& taken,
                   const PassOptions& options) {
  return RunPassOfKind(kind, state, options, [&](PassPlanner& planner) {
    return RunPass(planner, listing, taken, options);
  });
}

PassReport RunPass(EntryKind kind, PassState& state, const platform::Directory& directory,
                   const EntryList& listing, const PassOptions& options) {
  PassDirectory through(directory, options);
  return RunPassOfKind(kind, state, options, [&](PassPlanner& planner) {
    return RunPassThrough(through, planner, listing, listing, options);
  });
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
