#include "platform/win32/gdi_colors.h"

namespace tarvex::platform::win32 {

namespace {

// COLOR_SCROLLBAR (0) to COLOR_MENUBAR (30).
constexpr OleColor kLastSystemColor = 30;
constexpr OleColor kRgbBits = 0x00FFFFFFu;

}  // namespace

COLORREF ColorRefFromOle(OleColor color) {
  if ((color & kSystemColorFlag) == 0) return color & kRgbBits;
  const OleColor index = color & ~kSystemColorFlag;
  if (index > kLastSystemColor) return RGB(0, 0, 0);
  return GetSysColor(static_cast<int>(index));
}

}  // namespace tarvex::platform::win32
