#include "ui/qt/placement.h"

#include <QWidget>

#include "ui/form/twips.h"

namespace qomdex::ui {

using form::TwipsToPixels;

void Place(QWidget& control, const form::TwipsRect& rect) {
  const int x_dpi = control.logicalDpiX();
  const int y_dpi = control.logicalDpiY();
  control.setGeometry(TwipsToPixels(rect.left, x_dpi), TwipsToPixels(rect.top, y_dpi),
                      TwipsToPixels(rect.width, x_dpi), TwipsToPixels(rect.height, y_dpi));
}

void SetHeightTwips(QWidget& control, int twips) {
  control.resize(control.width(), TwipsToPixels(twips, control.logicalDpiY()));
}

int OuterHeightTwips(const QWidget& window) {
  return form::PixelsToTwips(window.frameGeometry().height(), window.logicalDpiY());
}

}  // namespace qomdex::ui
