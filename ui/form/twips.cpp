#include "ui/form/twips.h"

#include <cmath>

namespace qomdex::form {
namespace {

constexpr double kTwipsPerInch = 1440.0;

}  // namespace

int TwipsToPixels(int twips, int dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

int PixelsToTwips(int pixels, int dpi) {
  return static_cast<int>(std::lround(pixels * kTwipsPerInch / dpi));
}

}  // namespace qomdex::form
