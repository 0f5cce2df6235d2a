#pragma once
// What the core needs of the desktop session and the process: one object per
// process, implemented by the platform layer (Qt on Linux, Win32 on Windows)
// and by fakes in the tests.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarvex::platform {

using WindowHandle = std::uintptr_t;

class SaverWindowHost;
class DialogWindowHost;

// Where tarvex.ini is read from and saved to, when not beside the program:
// an empty save path means the one beside the program, an empty read path
// the one saved to.
struct SettingsFiles {
  std::string read;
  std::string save;
};

class Desktop {
 public:
  virtual ~Desktop() = default;

  // Process services.
  // True when another instance of the program runs; the first call claims
  // the instance for this process until it ends.
  virtual bool PreviousInstanceRunning() = 0;
  // The arguments that followed the program name, as one text.
  virtual std::string CommandLineText() = 0;
  // Full path of the directory holding the program file.
  virtual std::string ProgramDirectory() = 0;
  // Where this copy keeps its settings; beside the program unless told.
  virtual SettingsFiles UserSettingsFiles() { return {}; }

  // A modal message box with an OK button and no icon.
  virtual void MessageBox(const std::string& text, const std::string& caption) = 0;

  // ShowCursor: raises (show) or lowers the pointer's display counter by one
  // and returns the new counter; the pointer is hidden while it is below 0.
  virtual int ShowCursor(bool show) = 0;
  // SystemParametersInfoA(SPI_SETSCREENSAVERRUNNING, running, ...).
  virtual void SetScreenSaverRunning(bool running) = 0;
  // VerifyScreenSavePwd: the password prompt owned by `owner`; true when the
  // password was accepted.
  virtual bool VerifyScreenSavePwd(WindowHandle owner) = 0;
  // PwdChangePasswordA(provider, parent, 0, 0): returns when the system's
  // password-change dialog has closed.
  virtual void PwdChangePasswordA(const std::string& provider, WindowHandle parent) = 0;

  // Normal files only: false for directories, hidden or system files, and
  // for names the file system rejects.
  virtual bool NormalFileExists(const std::string& path) = 0;

  // The face names of the fonts available for the screen, in the system's order.
  virtual std::vector<std::string> ScreenFontNames() = 0;

  // Window hosts for the two forms.
  virtual std::unique_ptr<SaverWindowHost> CreateSaverWindowHost() = 0;
  virtual std::unique_ptr<DialogWindowHost> CreateDialogWindowHost() = 0;
};

}  // namespace tarvex::platform
