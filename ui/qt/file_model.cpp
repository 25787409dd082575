#include "ui/qt/file_model.h"

#include "ui/qt/appearance.h"

namespace qomdex::ui {

void FileModel::Show(const form::FileRows& rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int FileModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant FileModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  return ToQString(rows_.Text(static_cast<std::size_t>(index.row())));
}

}  // namespace qomdex::ui
