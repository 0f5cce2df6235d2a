#include "dialog/FormIni.h"

#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/control_values.h"
#include "dialog/ini_batch_write.h"
#include "dialog/layout.h"
#include "platform/desktop.h"
#include "runtime/skip_on_failure.h"
#include "settings/basSysAPI.h"

namespace tarvex::dialog {

namespace {

using platform::DialogList;
using platform::DialogTextBox;
using runtime::SkipOnFailure;

constexpr const char* kSection = "TARVEX";

std::unique_ptr<platform::DialogWindowHost> CreateHost(platform::Desktop& desktop) {
  auto host = desktop.CreateDialogWindowHost();
  if (!host) throw std::logic_error("the desktop offers no settings dialog window");
  return host;
}

}  // namespace

FormIni::FormIni(basKORVAN::SharedState& state, platform::Desktop& desktop)
    : state_(state),
      desktop_(desktop),
      host_(CreateHost(desktop)),
      dlgCol(*host_, "*.*||*.txt"),
      dlgMP3(*host_, "*.*||*.mp3") {}

void FormIni::ShowModal() {
  Form_Load();
  host_->ShowModal(*this);
}

void FormIni::Form_Load() {
  const auto& settings = state_.Settings;
  for (int size = kSmallestSize; size <= kLargestSize; ++size) {
    host_->AddItem(DialogList::cmbSize, std::to_string(size));
  }
  host_->SetListIndex(DialogList::cmbSize, SizeListIndex(settings.FontSize));

  int chosen_font = 0;
  int index = 0;
  for (const auto& name : desktop_.ScreenFontNames()) {
    host_->AddItem(DialogList::cmbFont, name);
    if (name == settings.FontName) chosen_font = index;
    ++index;
  }
  if (index > 0) host_->SetListIndex(DialogList::cmbFont, chosen_font);

  for (int step = kFastestStep; step <= kSlowestStep; ++step) {
    host_->AddItem(DialogList::cmbTim, std::to_string(step));
  }
  host_->SetListIndex(DialogList::cmbTim, SpeedListIndex(settings.TimerInterval));

  if (const auto colour = StoredColor(settings.FontColor)) host_->SetSwatchColor(*colour);

  host_->SetText(DialogTextBox::txtFile, settings.MessageFile);
  host_->SetText(DialogTextBox::txtMP3, settings.Mp3File);
}

// The preset preselects the first type entry, which lets every file through.
// A cancelled chooser leaves the box as it was: an emptied path is lost input.
void FormIni::cmdSansyo_Click() {
  dlgCol.FilterIndex = 1;
  if (dlgCol.ShowOpen()) host_->SetText(DialogTextBox::txtFile, dlgCol.FileName());
}

void FormIni::cmdMP3_Click() {
  dlgMP3.FilterIndex = 1;
  if (dlgMP3.ShowOpen()) host_->SetText(DialogTextBox::txtMP3, dlgMP3.FileName());
}

// A cancelled chooser leaves the swatch as it was.
void FormIni::lblCol_Click() {
  if (dlgCol.ShowColor()) host_->SetSwatchColor(dlgCol.Color());
}

void FormIni::cmdOK_Click() {
  StoreControlsInSettings();
  bool written = false;
  SkipOnFailure([&] {
    written =
        WriteIniValues(kSection, SettingsFileValues(), state_.IniPath, basSysAPI::WriteIniValue);
  });
  if (!written) {
    ReportSaveFailure();
    return;
  }
  SkipOnFailure([&] { host_->Close(); });
}

void FormIni::cmdEXIT_Click() {
  host_->Close();
}

void FormIni::StoreControlsInSettings() {
  auto& settings = state_.Settings;
  auto& host = *host_;
  SkipOnFailure([&] { settings.FontSize = ListTextToInt16(host.ListText(DialogList::cmbSize)); });
  SkipOnFailure([&] { settings.FontName = host.ListText(DialogList::cmbFont); });
  SkipOnFailure([&] { settings.FontColor = std::to_string(host.SwatchColor()); });
  SkipOnFailure([&] { settings.MessageFile = host.Text(DialogTextBox::txtFile); });
  SkipOnFailure([&] { settings.Mp3File = host.Text(DialogTextBox::txtMP3); });
  SkipOnFailure(
      [&] { settings.TimerInterval = ListTextToInt16(host.ListText(DialogList::cmbTim)); });
}

std::vector<IniValue> FormIni::SettingsFileValues() const {
  const auto& settings = state_.Settings;
  return {
      {"FONTSIZE", SignedNumberText(settings.FontSize)},
      {"FONTNAME", settings.FontName},
      {"FONTCOLOR", settings.FontColor},
      {"FILE", settings.MessageFile},
      {"MP3", settings.Mp3File},
      {"TIME", std::to_string(settings.TimerInterval)},
  };
}

// The dialog stays open with the user's choices, so they can put things
// right and save again, or cancel knowing nothing was stored.
void FormIni::ReportSaveFailure() {
  desktop_.MessageBox("設定を保存できませんでした。\n\n保存先: " + state_.IniPath +
                          "\n\nファイルやフォルダーが書き込み禁止になっていないか、"
                          "ディスクに空きがあるか、設定ファイルの文字コードで書けない文字を"
                          "使っていないかを確かめてください。",
                      std::string(kTitle));
}

}  // namespace tarvex::dialog
