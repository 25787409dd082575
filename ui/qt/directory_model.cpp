#include "ui/qt/directory_model.h"

#include <QApplication>
#include <QStyle>

#include "ui/qt/appearance.h"

namespace qomdex::ui {

DirectoryModel::DirectoryModel(QObject* parent)
    : QAbstractListModel(parent),
      open_folder_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      closed_folder_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

void DirectoryModel::Show(const form::DirectoryRows& rows) {
  beginResetModel();
  rows_ = rows;
  endResetModel();
}

int DirectoryModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant DirectoryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto row = static_cast<std::size_t>(index.row());
  switch (role) {
    case Qt::DisplayRole: return ToQString(rows_.Text(row));
    case Qt::DecorationRole: return rows_.IsOpen(row) ? open_folder_ : closed_folder_;
    case kIndentRole: return static_cast<int>(rows_.Indent(row));
    default: return {};
  }
}

}  // namespace qomdex::ui
