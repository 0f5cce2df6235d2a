#pragma once
// Font sizes in points (1/72 inch) as pixels of the screen, and the screen's
// resolution.

namespace tarvex::platform::win32 {

// The screen's logical dots per inch (LOGPIXELSY); 96 when it cannot be read.
int ScreenDpi();

// `points` in whole pixels at `dpi`, to the nearest pixel.
int PointsToPixels(double points, int dpi);

}  // namespace tarvex::platform::win32
