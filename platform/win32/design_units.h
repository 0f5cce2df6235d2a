#pragma once
// Design sizes in twips (1/1440 inch) as pixels of the screen, and the
// screen's resolution.

namespace tarvex::platform::win32 {

inline constexpr double kTwipsPerInch = 1440;

// The screen's logical dots per inch (LOGPIXELSY); 96 when it cannot be read.
int ScreenDpi();

// `twips` in whole pixels at `dpi`, to the nearest pixel: 15 twips per pixel
// at 96 dpi, 12 at 120.
int TwipsToPixels(double twips, int dpi);

}  // namespace tarvex::platform::win32
