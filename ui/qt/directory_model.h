#pragma once

#include <QAbstractListModel>
#include <QIcon>

#include "ui/form/list_rows.h"

namespace qomdex::ui {

// Dir1's rows as the form gives them: open folders for the path down to the directory, closed
// ones for its subfolders, each with its indent.
class DirectoryModel : public QAbstractListModel {
  Q_OBJECT

 public:
  // The role that gives an entry's indent in steps (an int).
  static constexpr int kIndentRole = Qt::UserRole + 1;

  explicit DirectoryModel(QObject* parent = nullptr);

  // Shows new rows.
  void Show(const form::DirectoryRows& rows);
  // Returns the rows shown.
  const form::DirectoryRows& rows() const { return rows_; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  form::DirectoryRows rows_;
  QIcon open_folder_;
  QIcon closed_folder_;
};

}  // namespace qomdex::ui
