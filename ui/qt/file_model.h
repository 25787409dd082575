#pragma once

#include <QAbstractListModel>

#include "ui/form/list_rows.h"

namespace qomdex::ui {

// File1's rows as the form gives them.
class FileModel : public QAbstractListModel {
  Q_OBJECT

 public:
  using QAbstractListModel::QAbstractListModel;

  // Shows new rows.
  void Show(const form::FileRows& rows);

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  form::FileRows rows_;
};

}  // namespace qomdex::ui
