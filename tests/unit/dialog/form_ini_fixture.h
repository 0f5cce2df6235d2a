#pragma once
// FormIni on a fake desktop and a fake window, with its settings file in a
// fresh directory.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

#include "dialog/FormIni.h"
#include "startup/shared_state.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_dialog_host.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/dialog/file_bytes.h"

namespace tarvex::testing {

using UserScript = std::function<void(FakeDialogHost&, platform::DialogEvents&)>;

class FormIniFixture : public ::testing::Test {
 protected:
  FormIniFixture() {
    state.IniPath = dir.File("tarvex.ini");
    state.Settings.TimerInterval = 25;
    desktop.fonts = {"IPAPMincho", "IPAGothic", "DejaVu Sans"};
    desktop.dialog_host_factory = [this] { return std::make_unique<BorrowedDialogHost>(window); };
  }

  // Opens the dialog as Main does; `user` acts while it is shown.
  void Run(UserScript user) {
    dialog::FormIni form(state, desktop);
    host->user = std::move(user);
    form.ShowModal();
  }

  // Opens the dialog and presses one of its buttons.
  void RunAndPress(void (platform::DialogEvents::*button)()) {
    Run([button](FakeDialogHost&, platform::DialogEvents& form) { (form.*button)(); });
  }

  std::string Ini() const { return ReadBytes(state.IniPath).value_or("<no file>"); }

  int MessageBoxCount() const {
    int count = 0;
    for (const auto& call : desktop.calls) count += call.starts_with("MessageBox(") ? 1 : 0;
    return count;
  }

  TempDir dir;
  basKORVAN::SharedState state;
  FakeDesktop desktop;
  FakeDialogHost window;  // outlives the form
  FakeDialogHost* host = &window;
};

}  // namespace tarvex::testing
