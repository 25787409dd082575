#include "ui/twips.h"

#include <QWidget>
#include <cmath>

namespace qomdex::ui {
namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, int dpi) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

void Place(QWidget& control, const TwipsRect& rect) {
  const int x_dpi = control.logicalDpiX();
  const int y_dpi = control.logicalDpiY();
  control.setGeometry(TwipsToPixels(rect.left, x_dpi), TwipsToPixels(rect.top, y_dpi),
                      TwipsToPixels(rect.width, x_dpi), TwipsToPixels(rect.height, y_dpi));
}

void SetHeightTwips(QWidget& control, int twips) {
  control.resize(control.width(), TwipsToPixels(twips, control.logicalDpiY()));
}

int OuterHeightTwips(const QWidget& window) {
  return PixelsToTwips(window.frameGeometry().height(), window.logicalDpiY());
}

}  // namespace qomdex::ui
