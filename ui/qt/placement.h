#pragma once

#include "ui/form/control_table.h"

class QWidget;

namespace qomdex::ui {

// Places a control at a rectangle in twips, converted with the control's logical DPI.
void Place(QWidget& control, const form::TwipsRect& rect);

// Sets a control's height in twips; its place and width stay.
void SetHeightTwips(QWidget& control, int twips);

// Returns a window's outer height in twips, frame and title bar included.
int OuterHeightTwips(const QWidget& window);

}  // namespace qomdex::ui
