#include "platform/win32/design_units.h"

#include "platform/win32/windows_api.h"

#include <cmath>

namespace tarvex::platform::win32 {

namespace {

constexpr int kStandardDpi = 96;
constexpr double kPointsPerInch = 72;

}  // namespace

int ScreenDpi() {
  const HDC screen = GetDC(nullptr);
  if (screen == nullptr) return kStandardDpi;
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kStandardDpi;
}

int PointsToPixels(double points, int dpi) {
  return static_cast<int>(std::lround(points * dpi / kPointsPerInch));
}

}  // namespace tarvex::platform::win32
