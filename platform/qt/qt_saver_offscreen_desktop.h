#pragma once
// A desktop for drawing the crawl without showing it (frames, benchmarks):
// its saver window host covers a screen of the given size and is never
// shown; the pointer, the password and the music are left alone.

#include <QSize>
#include <memory>

#include "platform/desktop.h"
#include "platform/qt/qt_saver_window_host.h"

namespace tarvex::qt {

class OffscreenSaverDesktop final : public platform::Desktop {
 public:
  // Needs a QGuiApplication. `dpi` is the text's dots per inch.
  explicit OffscreenSaverDesktop(QSize screen, double dpi = 96);

  // The host made by the last CreateSaverWindowHost, while it lives.
  QtSaverWindowHost* Host() const { return host_; }

  bool PreviousInstanceRunning() override { return false; }
  std::string CommandLineText() override { return "/s"; }
  std::string ProgramDirectory() override;
  void MessageBox(const std::string& text, const std::string& caption) override;
  int ShowCursor(bool show) override { return cursor_ += show ? 1 : -1; }
  void SetScreenSaverRunning(bool /*running*/) override {}
  bool VerifyScreenSavePwd(platform::WindowHandle /*owner*/) override { return true; }
  void PwdChangePasswordA(const std::string& /*provider*/,
                          platform::WindowHandle /*parent*/) override {}
  // No music is played offscreen: no file counts as present.
  bool NormalFileExists(const std::string& /*path*/) override { return false; }
  std::vector<std::string> ScreenFontNames() override;
  std::unique_ptr<platform::SaverWindowHost> CreateSaverWindowHost() override;
  std::unique_ptr<platform::DialogWindowHost> CreateDialogWindowHost() override;

 private:
  QSize screen_;
  double dpi_;
  int cursor_ = 0;
  QtSaverWindowHost* host_ = nullptr;
};

}  // namespace tarvex::qt
