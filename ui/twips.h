#pragma once

class QWidget;

namespace qomdex::ui {

// A control's place and size in twips (1/1440 inch), measured from the top-left corner of the
// window's client area.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

// Returns the logical pixels that a length in twips covers at a logical DPI (rounded).
int TwipsToPixels(int twips, int dpi);

// Returns the twips that a length in logical pixels covers at a logical DPI (rounded).
int PixelsToTwips(int pixels, int dpi);

// Places a control at a rectangle in twips, converted with the control's logical DPI.
void Place(QWidget& control, const TwipsRect& rect);

// Sets a control's height in twips; its place and width stay.
void SetHeightTwips(QWidget& control, int twips);

// Returns a window's outer height in twips, frame and title bar included.
int OuterHeightTwips(const QWidget& window);

}  // namespace qomdex::ui
