#include "ui/qt/indent_delegate.h"

#include <QWidget>

#include "ui/form/list_rows.h"
#include "ui/form/twips.h"
#include "ui/qt/directory_model.h"

namespace qomdex::ui {
namespace {

// The indent's width is the form's, at the list's DPI.
int Indent(const QStyleOptionViewItem& option, const QModelIndex& index) {
  const auto steps = static_cast<std::size_t>(index.data(DirectoryModel::kIndentRole).toInt());
  const int dpi = option.widget != nullptr ? option.widget->logicalDpiX() : 96;
  return form::TwipsToPixels(form::IndentTwips(steps), dpi);
}

}  // namespace

void IndentDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                           const QModelIndex& index) const {
  CutTextDelegate::paint(painter, Drawn(option, index), index);
}

QSize IndentDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  return CutTextDelegate::sizeHint(option, index) + QSize(Indent(option, index), 0);
}

QStyleOptionViewItem IndentDelegate::Drawn(const QStyleOptionViewItem& option,
                                           const QModelIndex& index) const {
  QStyleOptionViewItem shifted(option);
  shifted.rect.setLeft(option.rect.left() + Indent(option, index));
  return shifted;
}

}  // namespace qomdex::ui
