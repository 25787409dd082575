#include "engine/undo.h"

#include <optional>
#include <set>

#include "engine/journal.h"
#include "engine/reversal.h"

namespace qomdex {
namespace {

using Kind = RenameJournal::Kind;

// One rename's records: its kRename (or an undo's kPuttingBack), then those its fallback steps
// added.
struct JournalStep {
  const RenameJournal::Record* rename = nullptr;
  const RenameJournal::Record* reserving = nullptr;
  const RenameJournal::Record* placeholder = nullptr;
  const RenameJournal::Record* aside = nullptr;
};

std::vector<JournalStep> Steps(const std::vector<RenameJournal::Record>& records) {
  std::vector<JournalStep> steps;
  for (const RenameJournal::Record& record : records) {
    if (record.kind == Kind::kRename || record.kind == Kind::kPuttingBack) {
      steps.push_back({&record});
    } else if (!steps.empty() && steps.back().rename->to == record.to &&
               steps.back().rename->directory == record.directory) {
      // A step's records follow its rename; one that does not name the same entry belonged to a
      // rename whose record was damaged.
      JournalStep& step = steps.back();
      switch (record.kind) {
        case Kind::kReserving: step.reserving = &record; break;
        case Kind::kPlaceholder: step.placeholder = &record; break;
        // What holds the name announced is another program's.
        case Kind::kNotReserved: step.reserving = nullptr; break;
        case Kind::kSetAside: step.aside = &record; break;
        default: break;
      }
    }
  }
  return steps;
}

Reversal::Step StepOf(const JournalStep& step) {
  const RenameJournal::Record& rename = *step.rename;
  return {rename.from,
          rename.to,
          rename.identity,
          rename.time,
          step.placeholder ? &step.placeholder->identity : nullptr,
          step.reserving ? &step.reserving->identity : nullptr,
          step.reserving ? step.reserving->time : 0,
          step.aside ? &step.aside->from : nullptr};
}

}  // namespace

PassReport UndoRenames(const RenameRecord& renamed, const PassOptions& options) {
  Reversal reversal(options);
  for (auto step = renamed.end(); step != renamed.begin();) {
    const RenameRecord::Rename rename = *--step;
    const NativeString from(rename.from), to(rename.to);
    reversal.Undo(rename.directory, {from, to, rename.identity, rename.time});
  }
  return reversal.TakeReport();
}

PassReport UndoJournal(const std::filesystem::path& file, const PassOptions& options) {
  const RenameJournal::Contents contents = RenameJournal::Read(file);
  const std::vector<JournalStep> steps = Steps(contents.records);
  if (options.observer != nullptr) {
    std::set<std::filesystem::path> folders;
    for (const JournalStep& step : steps) folders.insert(step.rename->directory);
    options.observer->UndoFolders(folders.size());
  }
  // Where it cannot be written, or is of an older version, this undo's own placeholders go
  // unrecorded, as they always did.
  std::optional<RenameJournal> journal;
  if (!options.dry_run && contents.current) {
    try {
      journal.emplace(file, RenameJournal::Continued{},
                      options.system_calls != nullptr ? *options.system_calls
                                                      : platform::SystemCalls::Native());
    } catch (const std::filesystem::filesystem_error&) {
    }
  }
  Reversal reversal(options, journal ? &*journal : nullptr);
  // An earlier undo cut short first: its placeholders stand under the old names.
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    if (step->rename->kind == Kind::kPuttingBack) {
      reversal.ClearCutShort(step->rename->directory, StepOf(*step));
    }
  }
  for (auto step = steps.rbegin(); step != steps.rend() && !reversal.StopRequested(); ++step) {
    if (step->rename->kind == Kind::kRename) reversal.Undo(step->rename->directory, StepOf(*step));
  }
  PassReport report = reversal.TakeReport();
  report.damaged = contents.damaged;
  return report;
}

}  // namespace qomdex
