#include "ui/qt/preview_dialog.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
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

PreviewModel::PreviewModel(const form::PreviewRows& rows, Tick tick, QObject* parent)
    : QAbstractTableModel(parent),
      rows_(rows),
      tick_(std::move(tick)),
      shown_rows_(static_cast<int>(rows.count())) {}

void PreviewModel::RowsChanged(std::size_t first) {
  if (static_cast<int>(rows_.count()) != shown_rows_) {
    beginResetModel();
    shown_rows_ = static_cast<int>(rows_.count());
    endResetModel();
  } else if (first < rows_.count()) {
    emit dataChanged(index(static_cast<int>(first), 0), index(shown_rows_ - 1, 1));
  }
}

Qt::ItemFlags PreviewModel::flags(const QModelIndex& index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.isValid() && index.column() == 0 && index.row() < rowCount() &&
      rows_.tick(static_cast<std::size_t>(index.row())) != form::PreviewRows::Tick::kNone) {
    flags |= Qt::ItemIsUserCheckable;
  }
  return flags;
}

bool PreviewModel::setData(const QModelIndex& index, const QVariant&, int role) {
  // The form decides what a tick changes, and tells the dialog which rows to draw again.
  if (role != Qt::CheckStateRole || !index.isValid() || index.row() >= rowCount()) return false;
  tick_({static_cast<std::size_t>(index.row())});
  return false;
}

int PreviewModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : shown_rows_;
}

int PreviewModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 2; }

QVariant PreviewModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const auto position = static_cast<std::size_t>(index.row());
  if (role == Qt::CheckStateRole) {
    const form::PreviewRows::Tick tick = rows_.tick(position);
    if (index.column() != 0 || tick == form::PreviewRows::Tick::kNone) return {};
    return tick == form::PreviewRows::Tick::kTicked ? Qt::Checked : Qt::Unchecked;
  }
  if (role != Qt::DisplayRole) return {};
  form::PreviewRows::Row row = rows_.row(position);
  return ToQString(index.column() == 0 ? row.name : row.result);
}

QVariant PreviewModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  return ToQString(section == 0 ? form::kPreviewNameHead : form::kPreviewResultHead);
}

QDialog* NewPreviewDialog(QWidget* parent, const QString& title, const form::PreviewRows& rows,
                          PreviewModel::Tick tick, const QList<QAction*>& keys,
                          const QList<QAction*>& buttons) {
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
  table->setModel(new PreviewModel(rows, std::move(tick), table));
  // A text cut short at the column's edge shows whole in its tooltip.
  table->setItemDelegate(new CutTextDelegate(table));
  // The keys work where the rows have the focus, so Space still presses a focused button.
  table->addActions(keys);
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

  auto* box = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
  for (QAction* action : buttons) {
    auto* button = box->addButton(action->text(), QDialogButtonBox::AcceptRole);
    button->setObjectName(action->objectName());
    button->setEnabled(action->isEnabled());
    // Enter presses the first, wherever the focus is but on another button.
    button->setDefault(action == buttons.front());
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] {
      button->setText(action->text());
      button->setEnabled(action->isEnabled());
    });
  }
  QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  layout->addWidget(box);
  return dialog;
}

std::vector<std::size_t> SelectedPreviewRows(const QDialog& dialog) {
  std::vector<std::size_t> rows;
  const auto* table = dialog.findChild<QTableView*>(QStringLiteral("PreviewRows"));
  for (const QModelIndex& index : table->selectionModel()->selectedRows()) {
    rows.push_back(static_cast<std::size_t>(index.row()));
  }
  std::sort(rows.begin(), rows.end());
  return rows;
}

void ShowPreviewRows(QDialog& dialog, std::size_t first) {
  auto* table = dialog.findChild<QTableView*>(QStringLiteral("PreviewRows"));
  auto* model = static_cast<PreviewModel*>(table->model());
  model->RowsChanged(first);
  const QString heading = ToQString(model->heading());
  dialog.findChild<QLabel*>(QStringLiteral("PreviewHeading"))->setText(heading);
  table->setAccessibleDescription(heading);
}

}  // namespace qomdex::ui
