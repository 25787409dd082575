#pragma once

#include <QStyledItemDelegate>

namespace qomdex::ui {

// Draws each entry shifted right by its indent (DirectoryModel::kIndentRole, as wide as the form's
// IndentTwips), as a directory list shows how deep each folder lies.
class IndentDelegate : public QStyledItemDelegate {
  Q_OBJECT

 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qomdex::ui
