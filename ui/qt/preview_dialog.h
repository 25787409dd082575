#pragma once

#include <QAbstractTableModel>
#include <QDialog>

#include "ui/form/preview_rows.h"

namespace qomdex::ui {

// The preview's rows as a table of two columns, the entry's name and what the pass would make of
// it; a row's texts are asked of the form only when the table draws it. Keeps a reference to
// `rows`, which must outlive it.
class PreviewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  PreviewModel(const form::PreviewRows& rows, QObject* parent);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const form::PreviewRows& rows_;
};

// The preview dialog: the heading, the rows in a table whose rows all have one height (so 100,000
// of them lay out at once), and Close. Owned by `parent`, keeps a reference to `rows`, which must
// outlive it; not shown.
QDialog* NewPreviewDialog(QWidget* parent, const QString& title, const form::PreviewRows& rows);

}  // namespace qomdex::ui
