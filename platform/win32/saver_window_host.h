#pragma once
// The saver window host on Win32: the topmost black popup over the primary
// monitor, black covers over the others, the three picture surfaces, the
// timer, and the modal show (a nested message loop) with its unload guard.

#include "platform/win32/windows_api.h"

#include <array>
#include <memory>

#include "platform/saver_form_gate.h"
#include "platform/saver_window_host.h"
#include "platform/win32/gdi_picture_surface.h"
#include "platform/win32/monitor_covers.h"
#include "platform/win32/monitor_list.h"
#include "platform/win32/saver_timer.h"
#include "platform/win32/saver_window.h"

namespace tarvex::platform::win32 {

class Win32Desktop;

// The host for the primary screen at the screen's resolution.
std::unique_ptr<SaverWindowHost> CreateWin32SaverWindowHost(Win32Desktop& desktop);

class Win32SaverWindowHost final : public SaverWindowHost, private SaverWindowInput {
 public:
  // A hidden window covering `screen`, with design sizes and text at `dpi`
  // dots per inch. `desktop` (may be null) is told about the window while it
  // exists.
  Win32SaverWindowHost(const RECT& screen, int dpi, Win32Desktop* desktop);
  // The window on the primary monitor of those `monitors` lists, whenever the
  // host reads them: at the show and at each change of the display.
  Win32SaverWindowHost(MonitorSource monitors, int dpi, Win32Desktop* desktop);
  ~Win32SaverWindowHost() override;
  Win32SaverWindowHost(const Win32SaverWindowHost&) = delete;
  Win32SaverWindowHost& operator=(const Win32SaverWindowHost&) = delete;

  void Attach(SaverWindowEvents& form) override { gate_.Attach(form); }
  PictureSurface& Picture(int index) override { return Surface(index); }
  SaverTimer& Timer() override { return *timer_; }
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  WindowHandle Handle() const override;
  OleColor ForeColor() const override { return foreColor_; }
  void SetForeColor(OleColor color) override { foreColor_ = color; }
  bool StretchBlt(PictureSurface& dest, int x, int y, int width, int height, PictureSurface& source,
                  int sourceX, int sourceY, int sourceWidth, int sourceHeight,
                  std::uint32_t rop) override;
  void ShowModal() override;
  void RequestUnload() override;

  GdiPictureSurface& Surface(int index) { return *pictures_.at(static_cast<std::size_t>(index)); }
  HWND Frame() const { return window_->Frame(); }
  HWND Display() const { return window_->Display(); }
  const std::vector<HWND>& Covers() const { return covers_->Windows(); }

 private:
  // SaverWindowInput: the window's messages as the form's events.
  void WindowMouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
  void DisplayMouseMove(std::int16_t button, std::int16_t shift, float x, float y) override;
  void DisplayClick() override;
  void WindowKeyDown(std::int16_t key, std::int16_t shift) override;
  void DisplayKeyDown(std::int16_t key, std::int16_t shift) override;
  void Activated() override;
  void TimerTick() override;
  bool MayClose() override;
  void Closed() override;
  void DisplayChanged() override;
  void PaintDisplay(HDC dc) override;

  void Ended(bool failed);
  // Puts the frame on the primary monitor and covers on the others.
  void PlaceWindows();
  void HideWindows();

  MonitorSource monitors_;
  Win32Desktop* desktop_;
  SaverFormGate gate_;
  std::array<std::unique_ptr<GdiPictureSurface>, 3> pictures_;
  std::unique_ptr<SaverWindow> window_;
  std::unique_ptr<MonitorCovers> covers_;
  std::unique_ptr<Win32SaverTimer> timer_;
  OleColor foreColor_ = 0;
};

}  // namespace tarvex::platform::win32
