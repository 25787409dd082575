#include "ui/qt/cut_text_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <string>

#include "ui/form/cut_text_tooltip.h"
#include "ui/qt/appearance.h"

namespace qomdex::ui {

bool CutTextDelegate::helpEvent(QHelpEvent* event, QAbstractItemView* view,
                                const QStyleOptionViewItem& option, const QModelIndex& index) {
  if (event == nullptr || view == nullptr || event->type() != QEvent::ToolTip || !index.isValid()) {
    return QStyledItemDelegate::helpEvent(event, view, option, index);
  }
  const std::u16string text = index.data(Qt::DisplayRole).toString().toStdU16String();
  const QString tooltip =
      ToQString(form::CutTextTooltip({{text, IsCut(*view, Drawn(option, index), index)}}));
  const QRect cell = view->visualRect(index);
  // An empty text hides any tooltip showing.
  QToolTip::showText(event->globalPos(), tooltip, view,
                     QRect(view->viewport()->mapToGlobal(cell.topLeft()), cell.size()));
  event->setAccepted(!tooltip.isEmpty());
  return event->isAccepted();
}

QStyleOptionViewItem CutTextDelegate::Drawn(const QStyleOptionViewItem& option,
                                            const QModelIndex&) const {
  return option;
}

bool CutTextDelegate::IsCut(const QAbstractItemView& view, const QStyleOptionViewItem& drawn,
                            const QModelIndex& index) const {
  QStyleOptionViewItem item(drawn);
  initStyleOption(&item, index);
  const QWidget* widget = item.widget;
  const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
  // A list's entries may run past its right edge (they are as wide as the first), where no "…"
  // shows but the name is cut all the same.
  const QRect room = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget)
                         .intersected(view.viewport()->rect());
  // The style keeps this margin on each side of an entry's text.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
  return item.fontMetrics.horizontalAdvance(item.text) > room.width() - 2 * margin;
}

}  // namespace qomdex::ui
