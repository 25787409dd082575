#pragma once

#include <QAbstractListModel>
#include <QIcon>
#include <filesystem>
#include <vector>

#include "location/entry_list.h"

namespace qomdex::ui {

// Dir1 as a directory list shows it: the path's ancestors from the root down to the directory
// itself as open folders, each indented one step further, then its subfolders as closed folders
// one step further still.
class DirectoryModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // The role that gives an entry's indent in steps (an int).
  static constexpr int kIndentRole = Qt::UserRole + 1;

  explicit DirectoryModel(QObject* parent = nullptr);

  // Shows a directory list's snapshot; an unchanged snapshot keeps the view where it is.
  void Show(const EntryList::State& state);

  // Returns the row of the directory itself, or -1 when no directory is shown.
  int CurrentRow() const;

  // Returns the full path of the folder at a row below rowCount().
  std::filesystem::path PathAt(int row) const;

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int AncestorCount() const { return static_cast<int>(ancestors_.size()); }

  EntryList::State state_;
  std::vector<std::filesystem::path> ancestors_;
  QIcon open_folder_;
  QIcon closed_folder_;
};

}  // namespace qomdex::ui
