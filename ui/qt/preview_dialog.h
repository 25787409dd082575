#pragma once

#include <QAbstractTableModel>
#include <QDialog>
#include <QList>
#include <functional>
#include <vector>

#include "ui/form/preview_rows.h"

namespace qomdex::ui {

// The preview's rows as a table of two columns, the entry's name, with its tick box, and what the
// pass would make of it; a row's texts are asked of the form only when the table draws it. A tick
// box clicked goes to `tick`, which decides. Keeps a reference to `rows`, which must outlive it.
class PreviewModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  using Tick = std::function<void(const std::vector<std::size_t>& rows)>;
  PreviewModel(const form::PreviewRows& rows, Tick tick, QObject* parent);

  // The rows changed from `first` on, perhaps their count too: the table draws them again.
  void RowsChanged(std::size_t first);
  // Returns the line above the rows.
  std::u16string heading() const { return rows_.heading(); }
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const form::PreviewRows& rows_;
  Tick tick_;
  int shown_rows_;
};

// The preview dialog: the heading, the rows in a table whose rows all have one height (so 100,000
// of them lay out at once), a button for each of `buttons` (the default one first) and Close;
// `keys` work on the table. Owned by `parent`, keeps a reference to `rows`, which must outlive it;
// not shown.
QDialog* NewPreviewDialog(QWidget* parent, const QString& title, const form::PreviewRows& rows,
                          PreviewModel::Tick tick, const QList<QAction*>& keys,
                          const QList<QAction*>& buttons);

// Returns the rows selected in a preview dialog's table, in order.
std::vector<std::size_t> SelectedPreviewRows(const QDialog& dialog);

// Draws a preview dialog's rows again from `first` on, and its heading.
void ShowPreviewRows(QDialog& dialog, std::size_t first);

}  // namespace qomdex::ui
