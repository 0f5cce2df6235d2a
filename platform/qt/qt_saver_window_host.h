#pragma once
// The saver window host on Qt: a borderless, always-on-top black window over
// the primary screen, black covers over the others, the three picture
// surfaces, the timer, and the modal show with its unload guard.

#include <QEventLoop>
#include <QImage>
#include <QPointer>
#include <QRect>
#include <array>
#include <memory>

#include "platform/qt/monitor_covers.h"
#include "platform/qt/qt_picture_surface.h"
#include "platform/qt/qt_saver_timer.h"
#include "platform/qt/qt_saver_window.h"
#include "platform/saver_form_gate.h"
#include "platform/saver_window_host.h"

namespace tarvex::qt {

class QtDesktop;

std::unique_ptr<platform::SaverWindowHost> CreateQtSaverWindowHost(QtDesktop& desktop);

class QtSaverWindowHost final : public platform::SaverWindowHost {
 public:
  // A window covering `screen`, with text at `dpi` dots per inch. `desktop`
  // (may be null) is told about the window while it exists.
  QtSaverWindowHost(const QRect& screen, double dpi, QtDesktop* desktop);
  ~QtSaverWindowHost() override;
  QtSaverWindowHost(const QtSaverWindowHost&) = delete;
  QtSaverWindowHost& operator=(const QtSaverWindowHost&) = delete;

  void Attach(platform::SaverWindowEvents& form) override { gate_.Attach(form); }
  platform::PictureSurface& Picture(int index) override;
  platform::SaverTimer& Timer() override { return timer_; }
  float ScaleWidth() const override;
  float ScaleHeight() const override;
  platform::WindowHandle Handle() const override;
  platform::OleColor ForeColor() const override { return foreColor_; }
  void SetForeColor(platform::OleColor color) override { foreColor_ = color; }
  bool StretchBlt(platform::PictureSurface& dest, int x, int y, int width, int height,
                  platform::PictureSurface& source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, std::uint32_t rop) override;
  void ShowModal() override;
  void RequestUnload() override;

  // The whole screen as the window shows it: the black margin and the
  // display surface's image.
  QImage GrabScreen() const;
  QtPictureSurface& Surface(int index) { return *pictures_.at(static_cast<std::size_t>(index)); }
  QWidget& Window() { return *window_; }

 private:
  void Ended(bool failed);
  void HideWindows();

  QtDesktop* desktop_;
  platform::SaverFormGate gate_;
  std::array<std::unique_ptr<QtPictureSurface>, 3> pictures_;
  PointerMotion motion_;
  std::unique_ptr<QtSaverWindow> window_;
  std::unique_ptr<MonitorCovers> covers_;
  QtSaverTimer timer_;
  platform::OleColor foreColor_ = 0;
  QPointer<QEventLoop> modalLoop_;
};

}  // namespace tarvex::qt
