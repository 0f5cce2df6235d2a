// FormIni on a fake desktop and window: what it shows for the loaded
// settings, what its choosers do, and what "保 存" and "取 消" leave in the
// settings file.

#include "dialog/FormIni.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "settings/basSysAPI.h"
#include "startup/shared_state.h"
#include "tests/support/case_name.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_dialog_host.h"
#include "tests/support/temp_dir.h"

namespace tarvex::testing {
namespace {

namespace fs = std::filesystem;
using platform::DialogEvents;
using platform::DialogList;
using platform::DialogTextBox;
using UserScript = std::function<void(FakeDialog&, DialogEvents&)>;

const std::string kOldFile = "; by hand\r\n[TARVEX]\r\nTIME=2\r\n[OTHER]\r\nX=1\r\n";

class FormIniTest : public ::testing::Test {
 protected:
  FormIniTest() {
    state.IniPath = dir.File("tarvex.ini");
    state.Settings = {.TimerInterval = 100,
                      .FontSize = 24,
                      .FontName = "IPAGothic",
                      .FontColor = "255",
                      .MessageFile = "/home/u/メッセージ 1.txt",
                      .Mp3File = ""};
    desktop.fonts = {"Zeta", "IPAGothic", "DejaVu Sans"};
    desktop.dialog_host_factory = [this] { return std::make_unique<FakeDialogHost>(window); };
  }

  // Opens the dialog as Main does; `user` acts while it is shown.
  void Run(UserScript user = [](FakeDialog&, DialogEvents& form) { form.cmdEXIT_Click(); }) {
    window.user = std::move(user);
    dialog::FormIni(state, desktop).ShowModal();
  }
  std::string Stored(const char* key) const {
    return basSysAPI::ReadIniValue("TARVEX", key, 200, state.IniPath);
  }
  long MessageBoxes() const {
    return std::count_if(desktop.calls.begin(), desktop.calls.end(),
                         [](const std::string& call) { return call.starts_with("MessageBox("); });
  }

  TempDir dir;
  basKORVAN::SharedState state;
  FakeDesktop desktop;
  FakeDialog window;
};

TEST_F(FormIniTest, FillsTheListsInOrderAndShowsEverySetting) {
  state.Settings.Mp3File = "/m/a.mp3";
  Run();
  std::vector<std::string> sizes;
  for (int size = 10; size <= 72; ++size) sizes.push_back(std::to_string(size));
  EXPECT_EQ(window.lists[DialogList::cmbSize].items, sizes);
  EXPECT_EQ(window.lists[DialogList::cmbTim].items,
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(window.lists[DialogList::cmbFont].items, desktop.fonts);
  EXPECT_EQ(window.ListText(DialogList::cmbSize), "24");
  EXPECT_EQ(window.ListText(DialogList::cmbFont), "IPAGothic");
  EXPECT_EQ(window.ListText(DialogList::cmbTim), "4");
  EXPECT_EQ(window.swatch, 255);
  EXPECT_EQ(window.texts[DialogTextBox::txtFile], "/home/u/メッセージ 1.txt");
  EXPECT_EQ(window.texts[DialogTextBox::txtMP3], "/m/a.mp3");
}

TEST_F(FormIniTest, WithoutFontsOrAColourSelectsNoFontAndKeepsTheSwatch) {
  desktop.fonts.clear();
  state.Settings.FontColor = "blue";
  Run();
  EXPECT_EQ(window.lists[DialogList::cmbFont].index, -1);
  EXPECT_EQ(window.swatch, dialog::kSwatchInitialColor);
}

TEST_F(FormIniTest, FontListSelectsTheLastEqualNameOrElseTheFirstFont) {
  for (const auto& [stored, index] : {std::pair{"A", 2}, {"Missing", 0}, {"a", 0}}) {
    desktop.fonts = {"Z", "A", "A", "C"};
    state.Settings.FontName = stored;
    window = {};
    Run();
    EXPECT_EQ(window.lists[DialogList::cmbFont].index, index) << stored;
  }
}

struct FileButton {
  const char* name;
  void (DialogEvents::*click)();
  DialogTextBox box;
  const char* type_label;
};
TARVEX_PRINT_CASE_AS_NAME(FileButton)

class FileChooser : public FormIniTest, public ::testing::WithParamInterface<FileButton> {};

TEST_P(FileChooser, PutsTheChosenPathInItsBoxAndCancelKeepsTheBox) {
  state.Settings.MessageFile = state.Settings.Mp3File = "/loaded";
  std::vector<std::string> seen;
  Run([&](FakeDialog& window, DialogEvents& form) {
    for (const char* answer : {"", "/a/曲 1", ""}) {
      window.open_answers = {*answer ? std::optional<std::string>(answer) : std::nullopt};
      (form.*GetParam().click)();
      seen.push_back(window.texts[GetParam().box]);
    }
  });
  EXPECT_EQ(seen, (std::vector<std::string>{"/loaded", "/a/曲 1", "/a/曲 1"}));
  // All files preselected, starting at the last confirmed name.
  const std::vector<platform::FileTypeFilter> filters = {{"*.*", ""}, {GetParam().type_label, ""}};
  ASSERT_EQ(window.open_calls.size(), 3U);
  for (const auto& call : window.open_calls) {
    EXPECT_EQ(call.filters, filters);
    EXPECT_EQ(call.filter_index, 1);
  }
  EXPECT_EQ(window.open_calls[1].file_name, "");
  EXPECT_EQ(window.open_calls[2].file_name, "/a/曲 1");
}

INSTANTIATE_TEST_SUITE_P(Buttons, FileChooser,
                         ::testing::Values(FileButton{"Message", &DialogEvents::cmdSansyo_Click,
                                                      DialogTextBox::txtFile, "*.txt"},
                                           FileButton{"Music", &DialogEvents::cmdMP3_Click,
                                                      DialogTextBox::txtMP3, "*.mp3"}),
                         CaseName());

TEST_F(FormIniTest, EachFileButtonHasAChooserOfItsOwn) {
  Run([](FakeDialog& window, DialogEvents& form) {
    window.open_answers = {std::string("/m.txt"), std::nullopt};
    form.cmdSansyo_Click();
    form.cmdMP3_Click();
  });
  ASSERT_EQ(window.open_calls.size(), 2U);
  EXPECT_EQ(window.open_calls[1].file_name, "") << "the music chooser saw the message file";
}

TEST_F(FormIniTest, ColourChooserSetsTheSwatchAndCancelKeepsIt) {
  std::vector<std::int32_t> seen;
  Run([&](FakeDialog& window, DialogEvents& form) {
    window.color_answers = {std::nullopt, 16711680, std::nullopt};
    for (int click = 0; click < 3; ++click) {
      form.lblCol_Click();
      seen.push_back(window.swatch);
    }
  });
  EXPECT_EQ(seen, (std::vector<std::int32_t>{255, 16711680, 16711680}));
  // The chooser starts black, then at its last confirmed colour.
  EXPECT_EQ(window.color_calls, (std::vector<std::int32_t>{0, 0, 16711680}));
}

// The size is saved as Str() gives it, with a leading blank: Windows writes
// it as given (Wine drops the blank), our Linux store quotes it.
#ifdef _WIN32
const std::vector<std::string> kSizeLines = {"FONTSIZE= 72\r\n", "FONTSIZE=72\r\n"};
#else
const std::vector<std::string> kSizeLines = {"FONTSIZE=\" 72\"\r\n"};
#endif

TEST_F(FormIniTest, SaveWritesTheSixKeysInOrderWithTheUsersChoicesAndCloses) {
  Run([](FakeDialog& window, DialogEvents& form) {
    window.Choose(DialogList::cmbSize, "72");
    window.Choose(DialogList::cmbFont, "DejaVu Sans");
    window.Choose(DialogList::cmbTim, "10");
    window.color_answers = {65280};
    form.lblCol_Click();
    window.open_answers = {std::string("/music/a.mp3")};
    form.cmdMP3_Click();
    window.texts[DialogTextBox::txtFile] = "relative name.txt";
    form.cmdOK_Click();
  });
  std::vector<std::string> files;
  for (const std::string& size_line : kSizeLines) {
    files.push_back("[TARVEX]\r\n" + size_line +
                    "FONTNAME=DejaVu Sans\r\nFONTCOLOR=65280\r\nFILE=relative name.txt\r\n"
                    "MP3=/music/a.mp3\r\nTIME=10\r\n");
  }
  EXPECT_THAT(dir.Read("tarvex.ini"), ::testing::AnyOfArray(files));
  EXPECT_EQ(state.Settings.TimerInterval, 10) << "the step, not milliseconds";
  EXPECT_EQ(window.close_count, 1);
  EXPECT_EQ(MessageBoxes(), 0);
}

TEST_F(FormIniTest, SaveKeepsTheLoadedValueOfAListWithoutSelection) {
  dialog::FormIni(state, desktop).cmdOK_Click();  // not loaded: the lists are empty
  EXPECT_THAT(Stored("FONTSIZE"), ::testing::EndsWith("24"));
  EXPECT_EQ(Stored("TIME"), "100");
  EXPECT_EQ(Stored("FONTNAME"), "");
}

class ClosingWithoutSaving : public FormIniTest, public ::testing::WithParamInterface<bool> {};

TEST_P(ClosingWithoutSaving, CreatesNoFileAndLeavesAnOldOneByteForByte) {
  const UserScript user = [cancel = GetParam()](FakeDialog& window, DialogEvents& form) {
    window.Choose(DialogList::cmbSize, "50");
    if (cancel) form.cmdEXIT_Click();  // else the window frame closes it
  };
  Run(user);
  EXPECT_FALSE(fs::exists(state.IniPath));
  dir.Write("tarvex.ini", kOldFile);
  Run(user);
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 1) << "a file was left beside";
}

INSTANTIATE_TEST_SUITE_P(ByCancelOrFrame, ClosingWithoutSaving, ::testing::Bool());

// The dialog stays open with the user's choices, so they can put things right
// and save again.
TEST_F(FormIniTest, FailedSaveIsReportedAndKeepsTheDialogOpenWithTheChoices) {
  dir.Write("tarvex.ini", kOldFile);
  fs::permissions(state.IniPath, fs::perms::owner_read | fs::perms::group_read);
  Run([this](FakeDialog& window, DialogEvents& form) {
    window.Choose(DialogList::cmbSize, "50");
    window.texts[DialogTextBox::txtFile] = "/new.txt";
    form.cmdOK_Click();
    EXPECT_EQ(window.close_count, 0) << "the dialog closed after a failed save";
    EXPECT_EQ(window.ListText(DialogList::cmbSize), "50");
    EXPECT_EQ(window.texts[DialogTextBox::txtFile], "/new.txt");
    EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
    fs::permissions(state.IniPath, fs::perms::owner_read | fs::perms::owner_write);
    form.cmdOK_Click();
    EXPECT_EQ(window.close_count, 1);
  });
  ASSERT_EQ(MessageBoxes(), 1);
  EXPECT_THAT(desktop.calls.back(), ::testing::HasSubstr("設定を保存できませんでした"));
  EXPECT_THAT(desktop.calls.back(), ::testing::HasSubstr(state.IniPath));
  EXPECT_EQ(Stored("FILE"), "/new.txt");
}

}  // namespace
}  // namespace tarvex::testing
