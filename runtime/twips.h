#pragma once
// Twips, the unit the windows are designed in: 1/1440 inch.

#include <cmath>

namespace tarvex::runtime {

inline constexpr double kTwipsPerInch = 1440;

// `twips` in whole pixels on a screen of `dpi` logical dots per inch, to the
// nearest pixel: 15 twips per pixel at 96 dpi, 12 at 120.
inline int TwipsToPixels(double twips, double dpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

}  // namespace tarvex::runtime
