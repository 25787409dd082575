#include "ui/directory_model.h"

#include <QApplication>
#include <QStyle>

#include "location/join_path.h"
#include "ui/native_text.h"

namespace qomdex::ui {

DirectoryModel::DirectoryModel(QObject* parent)
    : QAbstractListModel(parent),
      open_folder_(QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon)),
      closed_folder_(QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon)) {}

void DirectoryModel::Show(const EntryList::State& state) {
  if (state.names == state_.names && state.path == state_.path) return;
  beginResetModel();
  state_ = state;
  ancestors_.clear();
  if (!state_.path.empty()) {
    std::filesystem::path walk = state_.path.root_path();
    ancestors_.push_back(walk);
    for (const std::filesystem::path& part : state_.path.relative_path()) {
      if (part.empty()) continue;
      walk /= part;
      ancestors_.push_back(walk);
    }
  }
  endResetModel();
}

int DirectoryModel::CurrentRow() const { return AncestorCount() - 1; }

std::filesystem::path DirectoryModel::PathAt(int row) const {
  if (row < AncestorCount()) return ancestors_.at(static_cast<std::size_t>(row));
  return JoinPath(state_.path, state_.names->at(static_cast<std::size_t>(row - AncestorCount())));
}

int DirectoryModel::rowCount(const QModelIndex& parent) const {
  if (parent.isValid() || !state_.names) return 0;
  return AncestorCount() + static_cast<int>(state_.names->size());
}

QVariant DirectoryModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const int row = index.row();
  const bool ancestor = row < AncestorCount();
  switch (role) {
    case Qt::DisplayRole:
      if (row == 0) return PathText(ancestors_.front());
      if (ancestor) return PathText(ancestors_[static_cast<std::size_t>(row)].filename());
      return NameText((*state_.names)[static_cast<std::size_t>(row - AncestorCount())]);
    case Qt::DecorationRole: return ancestor ? open_folder_ : closed_folder_;
    case kIndentRole: return ancestor ? row : AncestorCount();
    default: return {};
  }
}

}  // namespace qomdex::ui
