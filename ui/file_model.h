#pragma once

#include <QAbstractListModel>

#include "location/entry_list.h"

namespace qomdex::ui {

// File1 as the window shows it: the bare names of one snapshot of a file list.
class FileModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  // Shows a file list's snapshot; an unchanged snapshot keeps the view where it is.
  void Show(const EntryList::State& state);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  EntryList::State state_;
};

}  // namespace qomdex::ui
