#include "ui/qt/preview_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QScrollBar>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/form/texts.h"
#include "ui/qt/appearance.h"
#include "ui/qt/cut_text_delegate.h"

namespace qomdex::ui {
namespace {

// The table shows about this many rows before it scrolls, and its columns about this many
// characters: a name, then a new name or what happens instead, which says more.
constexpr int kShownRows = 20;
constexpr int kNameChars = 30;
constexpr int kResultChars = 54;

}  // namespace

PreviewModel::PreviewModel(const form::PreviewRows& rows, QObject* parent)
    : QAbstractTableModel(parent), rows_(rows) {}

int PreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.count());
}

int PreviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant PreviewModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  form::PreviewRows::Row row = rows_.row(static_cast<std::size_t>(index.row()));
  return ToQString(index.column() == 0 ? row.name : row.result);
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return ToQString(section == 0 ? form::kPreviewNameHead : form::kPreviewResultHead);
}

QDialog* NewPreviewDialog(QWidget* parent, const QString& title, const form::PreviewRows& rows) {
  auto* dialog = new QDialog(parent);
  dialog->setObjectName(QStringLiteral("Preview"));
  dialog->setWindowTitle(title);
  auto* layout = new QVBoxLayout(dialog);
  auto* heading = new QLabel(ToQString(rows.heading()), dialog);
  heading->setObjectName(QStringLiteral("PreviewHeading"));
  heading->setWordWrap(true);
  layout->addWidget(heading);

  auto* table = new QTableView(dialog);
  table->setObjectName(QStringLiteral("PreviewRows"));
  table->setAccessibleName(ToQString(form::kPreviewTitle));
  table->setAccessibleDescription(ToQString(rows.heading()));
  table->setModel(new PreviewModel(rows, table));
  // A text cut short at the column's edge shows whole in its tooltip.
  table->setItemDelegate(new CutTextDelegate(table));
  table->setSelectionBehavior(QAbstractItemView::SelectRows);
  table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table->setShowGrid(false);
  table->setWordWrap(false);
  table->setAlternatingRowColors(true);
  table->verticalHeader()->hide();
  // Rows of one fixed height are laid out without asking any row its size.
  const QFontMetrics metrics(table->font());
  table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  table->verticalHeader()->setDefaultSectionSize(metrics.height() + 4);
  table->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  table->horizontalHeader()->setStretchLastSection(true);
  table->setColumnWidth(0, metrics.averageCharWidth() * kNameChars);
  int height = (metrics.height() + 4) * kShownRows;
  if (const QScreen* screen = dialog->screen()) {
    height = std::min(height, screen->availableGeometry().height() / 2);
  }
  table->setMinimumSize(metrics.averageCharWidth() * (kNameChars + kResultChars) +
                            table->verticalScrollBar()->sizeHint().width(),
                        height);
  layout->addWidget(table);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(buttons);
  return dialog;
}

}  // namespace qomdex::ui
