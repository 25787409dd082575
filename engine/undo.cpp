#include "engine/undo.h"

#include "location/platform.h"

namespace qomdex {

PassReport UndoRenames(const std::vector<PassReport::Renamed>& renamed) {
  PassReport report;
  for (auto step = renamed.rbegin(); step != renamed.rend(); ++step) {
    std::error_code error;
    platform::Rename(step->to, step->from, error);
    if (error) {
      report.failures.push_back({PassReport::FailureKind::kRename, step->to, step->from, error});
    } else {
      report.renamed.push_back({step->to, step->from});
    }
  }
  return report;
}

}  // namespace qomdex
