#include "engine/undo.h"

#include "engine/journal.h"
#include "engine/reversal.h"

namespace qomdex {

PassReport UndoRenames(const std::vector<PassReport::Renamed>& renamed,
                       const PassOptions& options) {
  Reversal reversal(options);
  for (auto step = renamed.rbegin(); step != renamed.rend(); ++step) {
    reversal.PutBack(step->to.parent_path(), step->to.filename().native(),
                     step->from.filename().native(), step->identity);
  }
  return reversal.TakeReport();
}

PassReport UndoJournal(const std::filesystem::path& file, const PassOptions& options) {
  const std::vector<RenameJournal::Record> records = RenameJournal::Read(file);
  Reversal reversal(options);
  // Reading backwards, a placeholder's own record comes before the one that announced it.
  bool placeholder_recorded = false;
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    switch (record->kind) {
      case RenameJournal::Kind::kPlaceholder:
        reversal.RemovePlaceholder(record->directory, record->to, record->identity);
        placeholder_recorded = true;
        break;
      case RenameJournal::Kind::kReserving:
        if (!placeholder_recorded) {
          reversal.RemoveUnrecordedPlaceholder(record->directory, record->to, record->identity);
        }
        placeholder_recorded = false;
        break;
      case RenameJournal::Kind::kRename:
        reversal.PutBack(record->directory, record->to, record->from, record->identity);
        break;
    }
  }
  return reversal.TakeReport();
}

}  // namespace qomdex
