#pragma once
// The desktop of a saver that a screen-saver daemon runs in its own window
// (XScreenSaver, xsecurelock). The daemon owns the screen, the grabs and the
// unlock dialog, so here: no instance lock (one process per monitor and a
// settings preview run side by side), no grab, the pointer never hidden, no
// password prompt and no message box (the error report on standard error is
// all there is).

#include <cstdint>

#include "platform/qt/end_signals.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/x_window.h"
#include "startup/hosted_options.h"

namespace tarvex::qt {

class HostedDesktop final : public QtDesktop {
 public:
  // Raises std::runtime_error naming `window` when it cannot be drawn into.
  HostedDesktop(int& argc, char** argv, std::uint32_t window);

  bool PreviousInstanceRunning() override { return false; }
  int ShowCursor(bool show) override { return cursorCounter_ += show ? 1 : -1; }
  void SetScreenSaverRunning(bool /*running*/) override {}
  // The session is the daemon's to guard.
  bool VerifyScreenSavePwd(platform::WindowHandle /*owner*/) override { return true; }
  std::unique_ptr<platform::SaverWindowHost> CreateSaverWindowHost() override;

 private:
  EndSignals signals_;  // first: a signal during start-up waits for the show
  XWindow window_;
  int cursorCounter_ = 0;
};

// Main's saver course in the window `options` name, with its settings for
// this run. Of several hosted savers of one user only the first plays the
// music. Returns the exit status.
int RunHosted(int& argc, char** argv, basKORVAN::HostedOptions options);

}  // namespace tarvex::qt
