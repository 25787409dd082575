#include "engine/undo.h"

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

}  // namespace qomdex
