#include "platform/win32/saver_window_host.h"

#include <cstdlib>

#include "platform/design_surfaces.h"
#include "platform/win32/design_units.h"
#include "platform/win32/win32_desktop.h"

namespace tarvex::platform::win32 {

std::unique_ptr<SaverWindowHost> CreateWin32SaverWindowHost(Win32Desktop& desktop) {
  return std::make_unique<Win32SaverWindowHost>(SystemMonitors, ScreenDpi(), &desktop);
}

Win32SaverWindowHost::Win32SaverWindowHost(const RECT& screen, int dpi, Win32Desktop* desktop)
    : Win32SaverWindowHost(
          [area = ToScreenRect(screen)] {
            return MonitorList{{area}, area};
          },
          dpi, desktop) {}

Win32SaverWindowHost::Win32SaverWindowHost(MonitorSource monitors, int dpi, Win32Desktop* desktop)
    : monitors_(std::move(monitors)),
      desktop_(desktop),
      gate_([this](bool failed) { Ended(failed); }),
      pictures_(DesignSurfaces<GdiPictureSurface>(dpi)) {
  SaverWindowInput& input = *this;
  window_ = std::make_unique<SaverWindow>(ToRect(monitors_().primary), input);
  covers_ = std::make_unique<MonitorCovers>(input);
  timer_ = std::make_unique<Win32SaverTimer>(window_->Frame(), SaverWindow::kTimerId);
  pictures_[1]->SetView(window_->Display());
  if (desktop_ != nullptr) desktop_->SetSaverWindow(window_->Frame());
}

Win32SaverWindowHost::~Win32SaverWindowHost() {
  timer_->SetEnabled(false);
  if (desktop_ != nullptr) desktop_->SetSaverWindow(nullptr);
}

float Win32SaverWindowHost::ScaleWidth() const {
  RECT client{};
  GetClientRect(window_->Frame(), &client);
  return static_cast<float>(client.right - client.left);
}

float Win32SaverWindowHost::ScaleHeight() const {
  RECT client{};
  GetClientRect(window_->Frame(), &client);
  return static_cast<float>(client.bottom - client.top);
}

WindowHandle Win32SaverWindowHost::Handle() const {
  return reinterpret_cast<WindowHandle>(window_->Frame());
}

// GDI's own StretchBlt. A copy that shrinks averages the pixels each one
// stands for (HALFTONE, which wants its brush origin set), as the Linux
// build's box filter does, so light text on black keeps its strokes: the
// DC's default mode ANDs them away and COLORONCOLOR drops them. A copy that
// widens or keeps the size uses COLORONCOLOR: averaging adds nothing there
// and costs many times more.
bool Win32SaverWindowHost::StretchBlt(PictureSurface& dest, int x, int y, int width, int height,
                                      PictureSurface& source, int sourceX, int sourceY,
                                      int sourceWidth, int sourceHeight, std::uint32_t rop) {
  auto& to = dynamic_cast<GdiPictureSurface&>(dest);
  auto& from = dynamic_cast<GdiPictureSurface&>(source);
  // A copy within one image reads from a snapshot, not from pixels it has
  // just written.
  std::unique_ptr<GdiPictureSurface> snapshot;
  if (&to == &from) snapshot = from.ImageCopy();
  const HDC sourceDc = snapshot ? snapshot->Dc() : from.Dc();
  const bool shrinks =
      std::abs(width) < std::abs(sourceWidth) || std::abs(height) < std::abs(sourceHeight);
  SetStretchBltMode(to.Dc(), shrinks ? HALFTONE : COLORONCOLOR);
  if (shrinks) SetBrushOrgEx(to.Dc(), 0, 0, nullptr);
  return ::StretchBlt(to.Dc(), x, y, width, height, sourceDc, sourceX, sourceY, sourceWidth,
                      sourceHeight, rop) != FALSE;
}

// A run-time error ends the show as a close does; ShowModal raises it again.
void Win32SaverWindowHost::Ended(bool failed) {
  timer_->SetEnabled(false);
  if (failed) HideWindows();
}

void Win32SaverWindowHost::PlaceWindows() {
  const MonitorList list = monitors_();
  window_->MoveTo(ToRect(list.primary));
  covers_->Place(CoverAreas(list.monitors, list.primary), list.primary);
}

void Win32SaverWindowHost::HideWindows() {
  window_->Hide();
  covers_->Hide();
}

// A new size of the frame composes the page again, as an activation does.
void Win32SaverWindowHost::DisplayChanged() {
  if (gate_.IsClosed()) return;
  const float width = ScaleWidth();
  const float height = ScaleHeight();
  PlaceWindows();
  if (ScaleWidth() != width || ScaleHeight() != height) Activated();
}

void Win32SaverWindowHost::WindowMouseMove(std::int16_t button, std::int16_t shift, float x,
                                           float y) {
  gate_.Dispatch([&](SaverWindowEvents& form) { form.Form_MouseMove(button, shift, x, y); });
}

void Win32SaverWindowHost::DisplayMouseMove(std::int16_t button, std::int16_t shift, float x,
                                            float y) {
  gate_.Dispatch(
      [&](SaverWindowEvents& form) { form.picTARVEX_MouseMove(1, button, shift, x, y); });
}

void Win32SaverWindowHost::DisplayClick() {
  gate_.Dispatch([](SaverWindowEvents& form) { form.picTARVEX_Click(1); });
}

void Win32SaverWindowHost::WindowKeyDown(std::int16_t key, std::int16_t shift) {
  gate_.Dispatch([&](SaverWindowEvents& form) { form.Form_KeyDown(key, shift); });
}

void Win32SaverWindowHost::DisplayKeyDown(std::int16_t key, std::int16_t shift) {
  gate_.Dispatch([&](SaverWindowEvents& form) { form.picTARVEX_KeyDown(1, key, shift); });
}

void Win32SaverWindowHost::Activated() {
  gate_.Dispatch([](SaverWindowEvents& form) { form.Form_Activate(); });
}

void Win32SaverWindowHost::TimerTick() {
  if (timer_->Enabled()) gate_.Dispatch([](SaverWindowEvents& form) { form.tmrStr_Timer(); });
}

bool Win32SaverWindowHost::MayClose() {
  return gate_.MayClose();
}

void Win32SaverWindowHost::Closed() {
  gate_.Closed();
}

void Win32SaverWindowHost::PaintDisplay(HDC dc) {
  pictures_[1]->PaintTo(dc);
}

void Win32SaverWindowHost::ShowModal() {
  if (gate_.IsClosed()) return;
  PlaceWindows();
  window_->Show();
  MSG message{};
  while (!gate_.IsClosed()) {
    const BOOL got = GetMessageA(&message, nullptr, 0, 0);
    if (got == 0) {
      // A quit request is for the outermost loop: pass it on.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got == -1) break;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  HideWindows();
  gate_.RethrowIfFailed();
}

void Win32SaverWindowHost::RequestUnload() {
  if (!gate_.IsClosed()) SendMessageA(window_->Frame(), WM_CLOSE, 0, 0);
}

}  // namespace tarvex::platform::win32
