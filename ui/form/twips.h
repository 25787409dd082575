#pragma once

namespace qomdex::form {

// Returns the pixels a length in twips (1/1440 inch) covers at a DPI, rounded to the nearest.
int TwipsToPixels(int twips, int dpi);

// Returns the twips a length in pixels covers at a DPI, rounded to the nearest.
int PixelsToTwips(int pixels, int dpi);

}  // namespace qomdex::form
