// Main: the single entry procedure. Every course ends the process; here that
// means returning the exit status to the program's main().

#include <exception>

#include "dialog/FormIni.h"
#include "music/vbmp3_binding.h"
#include "platform/desktop.h"
#include "runtime/runtime_error.h"
#include "saver/frmKORVAN.h"
#include "startup/basKORVAN.h"
#include "startup/error_report.h"
#include "startup/switch_dispatch.h"

namespace tarvex::basKORVAN {
namespace {

void RunSettingsDialog(SharedState& state, platform::Desktop& desktop) {
  dialog::FormIni form(state, desktop);
  form.ShowModal();
}

void RunSaver(SharedState& state, platform::Desktop& desktop) {
  ReadMessageFile(state);
  saver::frmKORVAN form(state, desktop);
  form.SetTimerInterval(state.Settings.TimerInterval);
  form.ShowModal();
  music::vbmp3_stop();
  music::vbmp3_encodeStop();
  form.getState();
}

void RunMode(SharedState& state, platform::Desktop& desktop, std::string_view commandLine) {
  switch (DispatchSwitch(commandLine)) {
    case Mode::kSettings:
      RunSettingsDialog(state, desktop);
      return;
    case Mode::kPreview:
      return;
    case Mode::kPasswordChange:
      desktop.PwdChangePasswordA(
          "SCRSAVE", static_cast<platform::WindowHandle>(PasswordParentHandle(commandLine)));
      return;
    case Mode::kSaver:
      state.InputArmed = kFalse;
      RunSaver(state, desktop);
      return;
  }
}

}  // namespace

int Main(platform::Desktop& desktop, const SettingsOverrides& overrides) {
  try {
    if (desktop.PreviousInstanceRunning()) return 0;
    SharedState state;
    LoadSettings(state, desktop.ProgramDirectory(), desktop.UserSettingsFiles());
    ApplyOverrides(state.Settings, overrides);
    music::SetLibraryDirectory(state.AppDir);
    RunMode(state, desktop, desktop.CommandLineText());
    return 0;
  } catch (const runtime::RuntimeError& error) {
    ReportError(desktop, error);
  } catch (const std::bad_alloc&) {
    ReportError(desktop, runtime::RuntimeError(runtime::kOutOfMemory));
  }
  return 1;
}

}  // namespace tarvex::basKORVAN
