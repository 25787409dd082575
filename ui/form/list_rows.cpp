#include "ui/form/list_rows.h"

#include <stdexcept>

#include "location/join_path.h"
#include "ui/form/texts.h"

namespace qomdex::form {

std::u16string FileRows::Text(std::size_t row) const { return ShownName(state_.names->at(row)); }

DirectoryRows::DirectoryRows(EntryList::State state) : state_(std::move(state)) {
  if (state_.path.empty()) return;
  std::filesystem::path walk = state_.path.root_path();
  ancestors_.push_back(walk);
  for (const std::filesystem::path& part : state_.path.relative_path()) {
    if (part.empty()) continue;
    walk /= part;
    ancestors_.push_back(walk);
  }
}

std::optional<std::size_t> DirectoryRows::current_row() const {
  if (ancestors_.empty()) return std::nullopt;
  return ancestors_.size() - 1;
}

std::u16string DirectoryRows::Text(std::size_t row) const {
  if (row == 0 && !ancestors_.empty()) return ShownName(ancestors_.front().native());
  if (IsOpen(row)) return ShownName(ancestors_[row].filename().native());
  return ShownName(state_.names->at(row - ancestors_.size()));
}

std::size_t DirectoryRows::Indent(std::size_t row) const {
  return IsOpen(row) ? row : ancestors_.size();
}

std::filesystem::path DirectoryRows::PathAt(std::size_t row) const {
  if (IsOpen(row)) return ancestors_[row];
  if (row >= size()) throw std::out_of_range("no folder at this row of Dir1");
  return JoinPath(state_.path, (*state_.names)[row - ancestors_.size()]);
}

}  // namespace qomdex::form
