#include "ui/file_model.h"

#include "ui/native_text.h"

namespace qomdex::ui {

void FileModel::Show(const EntryList::State& state) {
  if (state.names == state_.names && state.path == state_.path) return;
  beginResetModel();
  state_ = state;
  endResetModel();
}

int FileModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !state_.names ? 0 : static_cast<int>(state_.names->size());
}

QVariant FileModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return NameText((*state_.names)[static_cast<std::size_t>(index.row())]);
}

}  // namespace qomdex::ui
