#include "engine/undo.h"

#include "location/platform.h"

namespace qomdex {

PassReport UndoRenames(const std::vector<PassReport::Renamed>& renamed) {
  PassReport report;
  for (auto step = renamed.rbegin(); step != renamed.rend(); ++step) {
    try {
      platform::Rename(step->to, step->from);
      report.renamed.push_back({step->to, step->from});
    } catch (const std::filesystem::filesystem_error& error) {
      report.failures.push_back({step->to, step->from, error.code(), error.code().message()});
    }
  }
  return report;
}

}  // namespace qomdex
