#include "ui/qt/indent_delegate.h"

#include "ui/qt/directory_model.h"

namespace qomdex::ui {
namespace {

// Half an icon's width per level, as a directory list indents.
int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
  return index.data(DirectoryModel::kIndentRole).toInt() * option.decorationSize.width() / 2;
}

}  // namespace

void IndentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  QStyleOptionViewItem shifted(option);
  shifted.rect.setLeft(option.rect.left() + Indent(option, index));
  QStyledItemDelegate::paint(painter, shifted, index);
}

QSize IndentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return QStyledItemDelegate::sizeHint(option, index) + QSize(Indent(option, index), 0);
}

}  // namespace qomdex::ui
