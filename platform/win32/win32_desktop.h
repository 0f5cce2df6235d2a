#pragma once
// The desktop services of the Windows program: the system's own calls, in
// their ANSI forms, and the two Win32 window hosts.

#include "platform/desktop.h"
#include "platform/win32/windows_api.h"

namespace tarvex::platform::win32 {

class Win32Desktop : public Desktop {
 public:
  // The saver window, while it exists: message boxes belong to it, so they
  // show above the topmost saver.
  void SetSaverWindow(HWND window) { saverWindow_ = window; }

  bool PreviousInstanceRunning() override;
  std::string CommandLineText() override;
  std::string ProgramDirectory() override;
  SettingsFiles UserSettingsFiles() override;
  void MessageBox(const std::string& text, const std::string& caption) override;
  int ShowCursor(bool show) override;
  void SetScreenSaverRunning(bool running) override;
  bool VerifyScreenSavePwd(WindowHandle owner) override;
  void PwdChangePasswordA(const std::string& provider, WindowHandle parent) override;
  bool NormalFileExists(const std::string& path) override;
  std::vector<std::string> ScreenFontNames() override;
  std::unique_ptr<SaverWindowHost> CreateSaverWindowHost() override;
  std::unique_ptr<DialogWindowHost> CreateDialogWindowHost() override;

 private:
  HWND saverWindow_ = nullptr;
};

}  // namespace tarvex::platform::win32
