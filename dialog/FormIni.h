#pragma once
// FormIni: the settings dialog. Shows the loaded settings, lets the user
// change them, and on "保 存" stores all six in the settings file.

#include <memory>
#include <vector>

#include "dialog/chooser.h"
#include "dialog/ini_batch_write.h"
#include "platform/dialog_window_host.h"
#include "startup/shared_state.h"

namespace tarvex::platform {
class Desktop;
}

namespace tarvex::dialog {

class FormIni final : public platform::DialogEvents {
 public:
  // Creates the window through the desktop; it is shown by ShowModal().
  FormIni(basKORVAN::SharedState& state, platform::Desktop& desktop);

  // Loads the form and shows it modally; returns once it has closed.
  void ShowModal();

  // The event procedures.
  void Form_Load();
  void cmdSansyo_Click() override;
  void cmdMP3_Click() override;
  void lblCol_Click() override;
  void cmdOK_Click() override;
  void cmdEXIT_Click() override;

 private:
  void StoreControlsInSettings();
  std::vector<IniValue> SettingsFileValues() const;
  void ReportSaveFailure();

  basKORVAN::SharedState& state_;
  platform::Desktop& desktop_;
  std::unique_ptr<platform::DialogWindowHost> host_;
  Chooser dlgCol;
  Chooser dlgMP3;
};

}  // namespace tarvex::dialog
