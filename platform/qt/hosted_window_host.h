#pragma once
// The saver window host of the hosted mode: the form draws, exactly as in
// its own window, into a window that a screen-saver daemon owns, with that
// window's size as the screen. It never grabs, hides the pointer or takes
// input; it ends when the daemon signals or destroys the window.

#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>
#include <memory>

#include "platform/qt/end_signals.h"
#include "platform/qt/picture_copy.h"
#include "platform/qt/qt_saver_timer.h"
#include "platform/qt/x_window.h"
#include "platform/saver_form_gate.h"
#include "platform/saver_window_host.h"

namespace tarvex::qt {

class HostedWindowHost final : public platform::SaverWindowHost {
 public:
  // Text at `dpi` dots per inch; `window` and `endSignals` outlive the host.
  HostedWindowHost(XWindow& window, EndSignals& endSignals, double dpi);
  ~HostedWindowHost() override;
  HostedWindowHost(const HostedWindowHost&) = delete;
  HostedWindowHost& operator=(const HostedWindowHost&) = delete;

  void Attach(platform::SaverWindowEvents& form) override { gate_.Attach(form); }
  platform::PictureSurface& Picture(int index) override;
  platform::SaverTimer& Timer() override { return timer_; }
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  platform::WindowHandle Handle() const override { return window_.Id(); }
  platform::OleColor ForeColor() const override { return foreColor_; }
  void SetForeColor(platform::OleColor color) override { foreColor_ = color; }
  bool StretchBlt(platform::PictureSurface& dest, int x, int y, int width, int height,
                  platform::PictureSurface& source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, std::uint32_t rop) override;
  void ShowModal() override;
  void RequestUnload() override;

 private:
  void Tick();
  void Compose();
  // Shows the display's rows that changed, or all of it.
  void Present(bool whole);
  void Look();
  void End();
  void Ended();

  XWindow& window_;
  EndSignals& signals_;
  platform::SaverFormGate gate_;
  Pictures pictures_;
  QtSaverTimer timer_;
  platform::OleColor foreColor_ = 0;
  std::unique_ptr<QSocketNotifier> windowEvents_;
  QPointer<QEventLoop> loop_;
};

}  // namespace tarvex::qt
