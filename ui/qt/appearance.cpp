#include "ui/qt/appearance.h"

#include <QPalette>
#include <QStringList>
#include <QWidget>

namespace qomdex::ui {

QColor FromBgr(form::Bgr bgr) {
  return QColor(static_cast<int>(bgr & 0xFF), static_cast<int>((bgr >> 8) & 0xFF),
                static_cast<int>((bgr >> 16) & 0xFF));
}

QFont ClassicSansFont(const form::ControlFont& choice) {
  QFont font;
  // Liberation Sans has the widths of the Windows sans faces, so the texts fit their places.
  font.setFamilies({QLatin1String(form::kClassicFace), "Microsoft Sans Serif", "Liberation Sans",
                    "Arial", "Nimbus Sans", "Helvetica"});
  font.setStyleHint(QFont::SansSerif);
  font.setPointSizeF(choice.points);
  font.setWeight(static_cast<QFont::Weight>(choice.weight));
  return font;
}

void SetTextColor(QWidget& control, const QColor& color) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::WindowText, color);
  control.setPalette(palette);
}

void SetColors(QWidget& control, const QColor& text, const QColor& background) {
  QPalette palette = control.palette();
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Window, background);
  control.setPalette(palette);
  control.setAutoFillBackground(true);
}

}  // namespace qomdex::ui
