#pragma once
// The desktop services of the Linux program, on Qt 6 and the posix layers.

#include <QPointer>
#include <QWidget>
#include <memory>

#include "platform/desktop.h"

class QApplication;

namespace tarvex::qt {

// kHosted: a screen-saver daemon runs the saver in its window and owns the
// screen, so no message box may cover it.
enum class Hosting { kOwnWindow, kHosted };

class QtDesktop : public platform::Desktop {
 public:
  QtDesktop(int& argc, char** argv, Hosting hosting = Hosting::kOwnWindow);
  ~QtDesktop() override;
  QtDesktop(const QtDesktop&) = delete;
  QtDesktop& operator=(const QtDesktop&) = delete;

  // Creates the application object at the first need of a window. Raises a
  // run-time error when there is no display to show it on.
  void EnsureApplication();

  // The saver window, while it exists: the input grab and the password
  // prompt belong to it.
  void SetSaverWindow(QWidget* window);

  bool PreviousInstanceRunning() override;
  std::string CommandLineText() override;
  std::string ProgramDirectory() override;
  platform::SettingsFiles UserSettingsFiles() override;
  void MessageBox(const std::string& text, const std::string& caption) override;
  int ShowCursor(bool show) override;
  void SetScreenSaverRunning(bool running) override;
  bool VerifyScreenSavePwd(platform::WindowHandle owner) override;
  void PwdChangePasswordA(const std::string& provider, platform::WindowHandle parent) override;
  bool NormalFileExists(const std::string& path) override;
  std::vector<std::string> ScreenFontNames() override;
  std::unique_ptr<platform::SaverWindowHost> CreateSaverWindowHost() override;
  std::unique_ptr<platform::DialogWindowHost> CreateDialogWindowHost() override;

 private:
  bool MessageBoxCanBeSeen();
  static void GrabInput(QWidget* window);
  static void ReleaseInput(QWidget* window);
  static void SetNativeGrab(QWidget* window, bool grab);

  int& argc_;
  char** argv_;
  Hosting hosting_;
  std::unique_ptr<QApplication> app_;
  QPointer<QWidget> saverWindow_;
  int cursorCounter_ = 0;
  bool saverRunning_ = false;
};

// True when a window can be shown: a Qt platform is named, or an X11 or
// Wayland display is set.
bool DisplayAvailable();

}  // namespace tarvex::qt
