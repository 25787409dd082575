#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <string>

#include "ui/form/control_table.h"

class QWidget;

namespace qomdex::ui {

// Returns the colour a 0x00BBGGRR value means (red in the low byte, blue in the third).
QColor FromBgr(form::Bgr bgr);

// Returns the font a control of the table names: the classic face at its size and weight, or the
// nearest sans-serif face where it is missing (faces with the same widths come first, so the
// captions fit their controls).
QFont ClassicSansFont(const form::ControlFont& choice);

// Sets the colour a control draws its text in.
void SetTextColor(QWidget& control, const QColor& color);

// Sets the colour of a control's text and the opaque background behind it.
void SetColors(QWidget& control, const QColor& text, const QColor& background);

// Returns the form's text as Qt holds it.
inline QString ToQString(const std::u16string& text) { return QString::fromStdU16String(text); }

}  // namespace qomdex::ui
