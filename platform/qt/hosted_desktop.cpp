#include "platform/qt/hosted_desktop.h"

#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include "platform/posix/user_lock.h"
#include "platform/qt/hosted_window_host.h"
#include "startup/app_title.h"
#include "startup/basKORVAN.h"

namespace tarvex::qt {

HostedDesktop::HostedDesktop(int& argc, char** argv, std::uint32_t window)
    : QtDesktop(argc, argv, Hosting::kHosted), window_(window) {}

std::unique_ptr<platform::SaverWindowHost> HostedDesktop::CreateSaverWindowHost() {
  EnsureApplication();
  const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInchY();
  return std::make_unique<HostedWindowHost>(window_, signals_, dpi);
}

int RunHosted(int& argc, char** argv, basKORVAN::HostedOptions options) {
  // Qt draws offscreen and so can open no window of its own; the pixels go
  // to the daemon's window through our own connection.
  setenv("QT_QPA_PLATFORM", "offscreen", 1);
  if (!platform::posix::ClaimUserLock("tarvex-music")) options.overrides.Mp3File = "";
  int status = 1;
  try {
    HostedDesktop desktop(argc, argv, options.window);
    status = basKORVAN::Main(desktop, options.overrides);
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "%s: %s\n", kAppTitle, error.what());
  }
  if (status == 0) EndSignals::RaiseReceived();
  return status;
}

}  // namespace tarvex::qt
