#include "platform/qt/qt_desktop.h"

#include <QApplication>
#include <QCursor>
#include <QMessageBox>
#include <QWindow>
#include <cstdlib>

#include "platform/dialog_window_host.h"
#include "platform/posix/process_services.h"
#include "platform/posix/settings_files.h"
#include "platform/qt/password_dialogs.h"
#include "platform/qt/qt_dialog_window_host.h"
#include "platform/qt/qt_saver_window_host.h"
#include "platform/qt/screen_fonts.h"
#include "platform/saver_window_host.h"
#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

bool EnvironmentSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0';
}

QString FromText(const std::string& text) {
  return QString::fromUtf8(text.data(), text.size());
}

// The first window after an error before any other is the error's box:
// should the display not answer, the offscreen platform stands in for it,
// rather than the process aborting.
void FallBackToOffscreen() {
  if (EnvironmentSet("QT_QPA_PLATFORM")) return;
  qputenv("QT_QPA_PLATFORM", EnvironmentSet("DISPLAY") ? "xcb;offscreen" : "wayland;offscreen");
}

}  // namespace

bool DisplayAvailable() {
  return EnvironmentSet("QT_QPA_PLATFORM") || EnvironmentSet("DISPLAY") ||
         EnvironmentSet("WAYLAND_DISPLAY");
}

QtDesktop::QtDesktop(int& argc, char** argv, Hosting hosting)
    : argc_(argc), argv_(argv), hosting_(hosting) {}

QtDesktop::~QtDesktop() = default;

void QtDesktop::EnsureApplication() {
  if (app_) return;
  if (!DisplayAvailable()) {
    throw runtime::RuntimeError(runtime::kDeviceUnavailable, "DISPLAY");
  }
  app_ = std::make_unique<QApplication>(argc_, argv_);
  QApplication::setQuitOnLastWindowClosed(false);
}

void QtDesktop::SetSaverWindow(QWidget* window) {
  saverWindow_ = window;
}

platform::SettingsFiles QtDesktop::UserSettingsFiles() {
  return platform::posix::SettingsFilesFor(ProgramDirectory());
}

bool QtDesktop::PreviousInstanceRunning() {
  return !platform::posix::ClaimSingleInstance();
}

std::string QtDesktop::CommandLineText() {
  return platform::posix::CommandLineText(argc_, argv_);
}

std::string QtDesktop::ProgramDirectory() {
  return platform::posix::ProgramDirectory();
}

// Whether a person could see and answer a box: not under a daemon, which
// owns the screen; not without a display, nor on the platforms that draw into
// memory only, where a box would wait for ever, nor where the display does
// not answer.
bool QtDesktop::MessageBoxCanBeSeen() {
  if (hosting_ == Hosting::kHosted || !DisplayAvailable()) return false;
  if (!app_) FallBackToOffscreen();
  EnsureApplication();
  const QString platform = QGuiApplication::platformName();
  return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void QtDesktop::MessageBox(const std::string& text, const std::string& caption) {
  // Where nobody sees it, the error report on standard error is all there is.
  if (!MessageBoxCanBeSeen()) return;
  QMessageBox box(QMessageBox::NoIcon, FromText(caption), FromText(text), QMessageBox::Ok,
                  saverWindow_.data());
  box.setWindowFlag(Qt::WindowStaysOnTopHint);
  box.exec();
}

int QtDesktop::ShowCursor(bool show) {
  const bool wasHidden = cursorCounter_ < 0;
  cursorCounter_ += show ? 1 : -1;
  const bool hidden = cursorCounter_ < 0;
  if (app_ && hidden != wasHidden) {
    if (hidden) {
      QApplication::setOverrideCursor(QCursor(Qt::BlankCursor));
    } else {
      QApplication::restoreOverrideCursor();
    }
  }
  return cursorCounter_;
}

// The grab is the window system's, on the native window: unlike a widget's
// grab it leaves the routing of clicks and keys to the saver's own controls.
void QtDesktop::GrabInput(QWidget* window) {
  SetNativeGrab(window, true);
}

void QtDesktop::ReleaseInput(QWidget* window) {
  SetNativeGrab(window, false);
}

void QtDesktop::SetNativeGrab(QWidget* window, bool grab) {
  if (window == nullptr || window->windowHandle() == nullptr) return;
  window->windowHandle()->setKeyboardGrabEnabled(grab);
  window->windowHandle()->setMouseGrabEnabled(grab);
}

void QtDesktop::SetScreenSaverRunning(bool running) {
  saverRunning_ = running;
  if (running) {
    GrabInput(saverWindow_);
  } else {
    ReleaseInput(saverWindow_);
  }
}

bool QtDesktop::VerifyScreenSavePwd(platform::WindowHandle /*owner*/) {
  EnsureApplication();
  // The prompt takes the keyboard while it is up; the saver gets it back after.
  ReleaseInput(saverWindow_);
  const bool accepted = AskScreenSaverPassword(saverWindow_.data());
  if (saverRunning_) GrabInput(saverWindow_);
  return accepted;
}

void QtDesktop::PwdChangePasswordA(const std::string& /*provider*/,
                                   platform::WindowHandle /*parent*/) {
  EnsureApplication();
  RunPasswordChangeDialog();
}

bool QtDesktop::NormalFileExists(const std::string& path) {
  return platform::posix::NormalFileExists(path);
}

std::vector<std::string> QtDesktop::ScreenFontNames() {
  EnsureApplication();
  return QtScreenFontNames();
}

std::unique_ptr<platform::SaverWindowHost> QtDesktop::CreateSaverWindowHost() {
  EnsureApplication();
  return CreateQtSaverWindowHost(*this);
}

std::unique_ptr<platform::DialogWindowHost> QtDesktop::CreateDialogWindowHost() {
  EnsureApplication();
  return CreateQtDialogWindowHost(*this);
}

}  // namespace tarvex::qt
