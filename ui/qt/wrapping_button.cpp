#include "ui/qt/wrapping_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

namespace qomdex::ui {

QRect WrappingButton::CaptionArea() const {
  QStyleOptionButton option;
  initStyleOption(&option);
  return style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
}

void WrappingButton::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();  // the bevel and focus frame only; the caption is drawn below
  painter.drawControl(QStyle::CE_PushButton, option);
  painter.drawItemText(CaptionArea(), kCaptionFlags, palette(), isEnabled(), text(),
                       QPalette::ButtonText);
}

}  // namespace qomdex::ui
