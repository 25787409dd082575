#pragma once

#include <QColor>
#include <QFont>
#include <cstdint>

class QWidget;

namespace qomdex::ui {

// Returns the colour a 0x00BBGGRR value means (red in the low byte, blue in the third).
QColor FromBgr(std::uint32_t bgr);

// Returns "MS Sans Serif" at a size and weight, or the nearest sans-serif face where it is
// missing: faces with the same widths come first, so the captions fit their controls.
QFont ClassicSansFont(double points, QFont::Weight weight);

// Sets the colour a control draws its text in.
void SetTextColor(QWidget& control, const QColor& color);

// Sets the colour of a control's text and the opaque background behind it.
void SetColors(QWidget& control, const QColor& text, const QColor& background);

}  // namespace qomdex::ui
