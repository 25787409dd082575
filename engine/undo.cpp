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
  for (auto record = records.rbegin(); record != records.rend(); ++record) {
    if (record->kind == RenameJournal::Kind::kPlaceholder) {
      reversal.RemovePlaceholder(record->directory, record->to, record->identity);
    } else {
      reversal.PutBack(record->directory, record->to, record->from, record->identity);
    }
  }
  return reversal.TakeReport();
}

}  // namespace qomdex
