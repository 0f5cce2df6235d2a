// Page composition and the animation tick of frmKORVAN.

#include <cstdint>

#include "runtime/numeric.h"
#include "runtime/runtime_error.h"
#include "saver/frmKORVAN.h"

namespace tarvex::saver {
namespace {

constexpr float kMargin = 100;
constexpr int kBandRows = 3;

int R(double value) {
  return runtime::ToInt32(value);
}

}  // namespace

void frmKORVAN::Form_Activate() {
  Command2_Click();
}

void frmKORVAN::Command2_Click() {
  platform::SaverWindowHost& window = Window();
  platform::PictureSurface& copy = *picTARVEX[0];
  platform::PictureSurface& display = *picTARVEX[1];
  platform::PictureSurface& page = *picTARVEX[2];

  display.SetWidth(window.ScaleWidth() - 2 * kMargin);
  display.SetHeight(window.ScaleHeight() - 2 * kMargin);
  display.SetLeft(kMargin);
  display.SetTop(kMargin);

  page.SetCurrentX(0);
  page.SetCurrentY(0);
  page.SetForeColor(window.ForeColor());
  page.SetHeight(window.ScaleHeight());
  PrintMessage();
  page.SetScaleHeight(page.CurrentY());
  PrintMessage();

  copy.SetWidth(page.Width());
  copy.SetHeight(page.Height());
  window.StretchBlt(copy, 0, 0, R(copy.Width()), R(copy.Height()), page, 0, 0, R(page.Width()),
                    R(page.Height()), platform::kSrcCopy);
  tmrStr->SetEnabled(true);
}

// One printing pass over all lines. The counter is wider than the 16-bit line
// count, so a pass over 32767 lines ends cleanly.
void frmKORVAN::PrintMessage() {
  platform::PictureSurface& page = *picTARVEX[2];
  const std::int32_t last = state_.LineCount;
  for (std::int32_t i = 1; i <= last; ++i) {
    if (static_cast<std::size_t>(i) >= state_.MessageLines.size()) {
      throw runtime::RuntimeError(runtime::kSubscriptOutOfRange, "MessageLines");
    }
    page.PrintLine(state_.MessageLines[static_cast<std::size_t>(i)]);
  }
}

void frmKORVAN::tmrStr_Timer() {
  platform::PictureSurface& copy = *picTARVEX[0];
  platform::PictureSurface& display = *picTARVEX[1];
  display.Cls();
  const std::int16_t last = ScrollPos;
  for (std::int32_t y = 0; y <= last; y += kBandRows) DrawBand(static_cast<std::int16_t>(y));
  ScrollPos = runtime::ToInt16(ScrollPos + 1);
  const float h1 = display.Height();
  const float h0 = copy.Height();
  if (h0 + h1 < static_cast<float>(ScrollPos)) ScrollPos = 0;
  display.Refresh();
}

// The band of page rows y to y + 2, drawn d rows above the display's bottom
// edge and d pixels narrower than the display, centred.
void frmKORVAN::DrawBand(std::int16_t y) {
  platform::PictureSurface& copy = *picTARVEX[0];
  platform::PictureSurface& display = *picTARVEX[1];
  const std::int16_t d = runtime::ToInt16(ScrollPos - y);
  const float w1 = display.Width();
  const float h1 = display.Height();
  const float w0 = copy.Width();
  const auto fd = static_cast<float>(d);
  Window().StretchBlt(display, R(d * 1 / 2.0), R(h1 - fd), R(w1 - fd), kBandRows, copy, 0, y, R(w0),
                      kBandRows, platform::kSrcCopy);
}

}  // namespace tarvex::saver
