#include "platform/win32/win32_desktop.h"

#include "platform/dialog_window_host.h"
#include "platform/saver_window_host.h"
#include "platform/win32/dialog_window_host.h"
#include "platform/win32/password_services.h"
#include "platform/win32/process_services.h"
#include "platform/win32/saver_window_host.h"
#include "platform/win32/screen_fonts.h"
#include "platform/win32/settings_files.h"
#include "runtime/ansi_text.h"

namespace tarvex::platform::win32 {

bool Win32Desktop::PreviousInstanceRunning() {
  return !ClaimSingleInstance();
}

std::string Win32Desktop::CommandLineText() {
  return win32::CommandLineText();
}

std::string Win32Desktop::ProgramDirectory() {
  return win32::ProgramDirectory();
}

SettingsFiles Win32Desktop::UserSettingsFiles() {
  return SettingsFilesFor(ProgramDirectory());
}

void Win32Desktop::MessageBox(const std::string& text, const std::string& caption) {
  const std::string ansiText = runtime::TextToAnsiLossy(text);
  const std::string ansiCaption = runtime::TextToAnsiLossy(caption);
  MessageBoxA(saverWindow_, ansiText.c_str(), ansiCaption.c_str(), MB_OK);
}

int Win32Desktop::ShowCursor(bool show) {
  return ::ShowCursor(show ? TRUE : FALSE);
}

void Win32Desktop::SetScreenSaverRunning(bool running) {
  // uiParam -1 (every bit set) is true; the previous state goes to scratch.
  UINT scratch = 0;
  SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running ? ~0U : 0U, &scratch, 0);
}

bool Win32Desktop::VerifyScreenSavePwd(WindowHandle owner) {
  return win32::VerifyScreenSavePwd(owner);
}

void Win32Desktop::PwdChangePasswordA(const std::string& provider, WindowHandle parent) {
  // Without mpr.dll's function there is no dialog to show: nothing happens.
  win32::PwdChangePasswordA(provider, parent);
}

bool Win32Desktop::NormalFileExists(const std::string& path) {
  return win32::NormalFileExists(path);
}

std::vector<std::string> Win32Desktop::ScreenFontNames() {
  return win32::ScreenFontNames();
}

std::unique_ptr<SaverWindowHost> Win32Desktop::CreateSaverWindowHost() {
  return CreateWin32SaverWindowHost(*this);
}

std::unique_ptr<DialogWindowHost> Win32Desktop::CreateDialogWindowHost() {
  return CreateWin32DialogWindowHost();
}

}  // namespace tarvex::platform::win32
