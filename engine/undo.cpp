#include "engine/undo.h"

#include "engine/journal.h"
#include "engine/reversal.h"

namespace qomdex {
namespace {

using Kind = RenameJournal::Kind;

// One rename's records: its kRename, then those its fallback steps added.
struct JournalStep {
  const RenameJournal::Record* rename = nullptr;
  const RenameJournal::Record* reserving = nullptr;
  const RenameJournal::Record* placeholder = nullptr;
};

std::vector<JournalStep> Steps(const std::vector<RenameJournal::Record>& records) {
  std::vector<JournalStep> steps;
  for (const RenameJournal::Record& record : records) {
    if (record.kind == Kind::kRename) {
      steps.push_back({&record});
    } else if (!steps.empty() && steps.back().rename->to == record.to &&
               steps.back().rename->directory == record.directory) {
      // A step's records follow its rename; one that does not name the same entry belonged to a
      // rename whose record was damaged.
      JournalStep& step = steps.back();
      (record.kind == Kind::kReserving ? step.reserving : step.placeholder) = &record;
    }
  }
  return steps;
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
  Reversal reversal(options);
  for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
    const RenameJournal::Record& rename = *step->rename;
    reversal.Undo(rename.directory, {rename.from, rename.to, rename.identity, rename.time,
                                     step->placeholder ? &step->placeholder->identity : nullptr,
                                     step->reserving ? &step->reserving->identity : nullptr,
                                     step->reserving ? step->reserving->time : 0});
  }
  PassReport report = reversal.TakeReport();
  report.damaged = contents.damaged;
  return report;
}

}  // namespace qomdex
