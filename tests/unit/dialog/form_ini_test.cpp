// FormIni on a fake desktop and window: what it shows for the loaded
// settings and what "保 存" and "取 消" leave in the settings file; and the
// batch write under the save. The real window's test drives the choosers.

#include "dialog/FormIni.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "dialog/chooser.h"
#include "dialog/ini_batch_write.h"
#include "settings/basSysAPI.h"
#include "startup/shared_state.h"
#include "tests/support/case_name.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_dialog_host.h"
#include "tests/support/temp_dir.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace tarvex::testing {
namespace {

namespace fs = std::filesystem;
using platform::DialogEvents;
using platform::DialogList;
using platform::DialogTextBox;
using Strings = std::vector<std::string>;

class FormIniTest : public ::testing::Test {
 protected:
  FormIniTest() {
    state.IniPath = dir.File("tarvex.ini");
    state.Settings = {.TimerInterval = 100,
                      .FontSize = 24,
                      .FontName = "IPAGothic",
                      .FontColor = "255",
                      .MessageFile = "/home/u/メッセージ 1.txt",
                      .Mp3File = "/m/a.mp3"};
    desktop.fonts = {"Zeta", "IPAGothic", "DejaVu Sans"};
    desktop.dialog_host_factory = [this] { return std::make_unique<FakeDialogHost>(window); };
  }

  // Opens the dialog as Main does; `user` acts while it is shown.
  void Run(decltype(FakeDialog::user) user = [](FakeDialog&, DialogEvents& form) {
    form.cmdEXIT_Click();
  }) {
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

Strings Numbers(int first, int last) {
  Strings texts;
  for (int n = first; n <= last; ++n) texts.push_back(std::to_string(n));
  return texts;
}

// The font list selects the last equal name, else the first font; sizes out
// of the list select 10; periods select the nearest step of 25 ms; only RGB
// and desktop colours reach the swatch.
struct LoadCase {
  const char* name;
  Strings fonts;
  const char* fontName;
  std::int16_t fontSize, interval;
  const char* colour;
  int fontIndex;
  const char *sizeText, *speedText;
  std::int32_t swatch;
};
TARVEX_PRINT_CASE_AS_NAME(LoadCase)

class FormLoadTest : public FormIniTest, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(FormLoadTest, FillsTheListsInOrderAndShowsEverySetting) {
  const LoadCase& c = GetParam();
  desktop.fonts = c.fonts;
  state.Settings.FontName = c.fontName;
  state.Settings.FontSize = c.fontSize;
  state.Settings.TimerInterval = c.interval;
  state.Settings.FontColor = c.colour;
  Run();
  EXPECT_EQ(window.lists[DialogList::cmbSize].items, Numbers(10, 72));
  EXPECT_EQ(window.lists[DialogList::cmbTim].items, Numbers(1, 10));
  EXPECT_EQ(window.lists[DialogList::cmbFont].items, c.fonts);
  EXPECT_EQ(window.lists[DialogList::cmbFont].index, c.fontIndex);
  EXPECT_EQ(window.ListText(DialogList::cmbSize), c.sizeText);
  EXPECT_EQ(window.ListText(DialogList::cmbTim), c.speedText);
  EXPECT_EQ(window.swatch, c.swatch);
  EXPECT_EQ(window.texts[DialogTextBox::txtFile], "/home/u/メッセージ 1.txt");
  EXPECT_EQ(window.texts[DialogTextBox::txtMP3], "/m/a.mp3");
  EXPECT_FALSE(fs::exists(state.IniPath)) << "cancel saves nothing";
}

constexpr std::int32_t kKept = dialog::kSwatchInitialColor;
// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, FormLoadTest, ::testing::Values(
    LoadCase{"AsStored", {"Zeta", "IPAGothic", "DejaVu Sans"}, "IPAGothic", 24, 100, "255", 1, "24", "4", 255},
    LoadCase{"LastEqualFontName", {"Z", "A", "A", "C"}, "A", 72, 250, "16777215", 2, "72", "10", 16777215},
    LoadCase{"MissingFontTakesTheFirst", {"Z", "A"}, "Missing", 11, 60, "-2147483648", 0, "11", "2", INT32_MIN},
    LoadCase{"FontNamesMatchInCase", {"Z", "A"}, "a", 9, 275, "-2147483618", 0, "10", "10", -2147483618},
    LoadCase{"NoFontsNoSelection", {}, "A", 73, -75, "16777216", -1, "10", "1", kKept},
    LoadCase{"PastTheDesktopColours", {"A"}, "A", -5, 0, "-2147483617", 0, "10", "1", kKept},
    LoadCase{"ColourOutOfRange", {"A"}, "A", 10, 25, "2147483648", 0, "10", "1", kKept},
    LoadCase{"ColourNotANumber", {"A"}, "A", 10, 37, "blue", 0, "10", "1", kKept}),
    CaseName());
// clang-format on

// The size is saved as Str() gives it, with a leading blank: Windows writes
// it as given (Wine drops the blank), our Linux store quotes it.
#ifdef _WIN32
const Strings kSizeLines = {"FONTSIZE= 72\r\n", "FONTSIZE=72\r\n"};
#else
const Strings kSizeLines = {"FONTSIZE=\" 72\"\r\n"};
#endif

TEST_F(FormIniTest, SaveWritesTheSixKeysInOrderWithTheUsersChoicesAndCloses) {
  Run([](FakeDialog& window, DialogEvents& form) {
    window.Choose(DialogList::cmbSize, "72");
    window.Choose(DialogList::cmbFont, "DejaVu Sans");
    window.Choose(DialogList::cmbTim, "10");
    window.color_answers = {65280};
    form.lblCol_Click();
    window.texts[DialogTextBox::txtFile] = "relative name.txt";
    form.cmdOK_Click();
  });
  Strings files;
  for (const std::string& size_line : kSizeLines) {
    files.push_back("[TARVEX]\r\n" + size_line +
                    "FONTNAME=DejaVu Sans\r\nFONTCOLOR=65280\r\nFILE=relative name.txt\r\n"
                    "MP3=/m/a.mp3\r\nTIME=10\r\n");
  }
  EXPECT_THAT(dir.Read("tarvex.ini"), ::testing::AnyOfArray(files));
  EXPECT_EQ(state.Settings.TimerInterval, 10) << "the step, not milliseconds";
  EXPECT_EQ(window.calls.back(), "Close");
  EXPECT_EQ(MessageBoxes(), 0);
}

TEST_F(FormIniTest, SaveKeepsTheLoadedValueOfAListWithoutSelection) {
  dialog::FormIni(state, desktop).cmdOK_Click();  // not loaded: the lists are empty
  EXPECT_THAT(Stored("FONTSIZE"), ::testing::EndsWith("24"));
  EXPECT_EQ(Stored("TIME"), "100");
  EXPECT_EQ(Stored("FONTNAME"), "");
}

TEST_F(FormIniTest, FailedSaveIsReportedAndKeepsTheDialogOpenWithTheChoices) {
  const std::string old = "; by hand\r\n[TARVEX]\r\nTIME=2\r\n[OTHER]\r\nX=1\r\n";
  dir.Write("tarvex.ini", old);
  fs::permissions(state.IniPath, fs::perms::owner_read | fs::perms::group_read);
  Run([&](FakeDialog& window, DialogEvents& form) {
    window.Choose(DialogList::cmbSize, "50");
    window.texts[DialogTextBox::txtFile] = "/new.txt";
    form.cmdOK_Click();
    EXPECT_TRUE(window.calls.empty()) << "the dialog closed after a failed save";
    EXPECT_EQ(window.ListText(DialogList::cmbSize), "50");
    EXPECT_EQ(dir.Read("tarvex.ini"), old);
    fs::permissions(state.IniPath, fs::perms::owner_read | fs::perms::owner_write);
    form.cmdOK_Click();
  });
  EXPECT_EQ(window.calls, Strings{"Close"});
  ASSERT_EQ(MessageBoxes(), 1);
  EXPECT_THAT(desktop.calls.back(), ::testing::HasSubstr("設定を保存できませんでした"));
  EXPECT_THAT(desktop.calls.back(), ::testing::HasSubstr(state.IniPath));
  EXPECT_EQ(Stored("FILE"), "/new.txt");
}

const std::vector<dialog::IniValue> kValues = {{"FONTSIZE", " 24"},  {"FONTNAME", "IPAGothic"},
                                               {"FONTCOLOR", "255"}, {"FILE", "/m/a.txt"},
                                               {"MP3", "/m/b.mp3"},  {"TIME", "4"}};
const std::string kOldFile = "; mine\r\n[TARVEX]\r\nTIME=2\r\nFILE=/old.txt\r\n[OTHER]\r\nX=1\r\n";

// The six settings written as one replacement of the file: all of them, or
// none and the old file as it was.
class IniBatchWriteTest : public ::testing::Test {
 protected:
  bool Write(const std::string& target,
             const dialog::IniValueWriter& writer = basSysAPI::WriteIniValue) {
    return dialog::WriteIniValues("TARVEX", kValues, target, writer);
  }
  // The file that six direct writes leave, from none or from `start`.
  std::string WrittenDirectly(const std::string& start) {
    const TempDir other;
    const std::string direct = start.empty() ? other.File("d.ini") : other.Write("d.ini", start);
    for (const auto& [key, value] : kValues) basSysAPI::WriteIniValue("TARVEX", key, value, direct);
    return other.Read("d.ini");
  }
  std::size_t Entries() const { return dir.Names().size(); }

  TempDir dir;
  std::string path = dir.File("tarvex.ini");
};

TEST_F(IniBatchWriteTest, StoresAllValuesAsDirectWritesWouldAndFollowsALink) {
  ASSERT_TRUE(Write(path));
  EXPECT_EQ(dir.Read("tarvex.ini"), WrittenDirectly(""));
  dir.Write("tarvex.ini", kOldFile);
  ASSERT_TRUE(Write(path));
  EXPECT_EQ(dir.Read("tarvex.ini"), WrittenDirectly(kOldFile));
  EXPECT_EQ(Entries(), 1u) << "nothing left beside the file";
#ifndef _WIN32
  const std::string real = dir.Write("sub/real.ini", kOldFile);
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::remove(path);
  fs::create_symlink(real, path);
  ASSERT_TRUE(Write(path));
  EXPECT_TRUE(fs::is_symlink(path));
  EXPECT_EQ(dir.Read("sub/real.ini"), WrittenDirectly(kOldFile));
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
#endif
}

// A writer that fails at one call, like a disk filling up half-way.
class FailingAtKey : public IniBatchWriteTest, public ::testing::WithParamInterface<int> {};

TEST_P(FailingAtKey, StopsAndLeavesNoFileOrTheOldOneByteForByte) {
  int calls = 0;
  const auto writer = [&](std::string_view section, std::string_view key, std::string_view value,
                          const std::string& file) {
    return ++calls != GetParam() && basSysAPI::WriteIniValue(section, key, value, file);
  };
  EXPECT_FALSE(Write(path, writer));
  EXPECT_FALSE(fs::exists(path));
  dir.Write("tarvex.ini", kOldFile);
  calls = 0;
  EXPECT_FALSE(Write(path, writer));
  EXPECT_EQ(calls, GetParam()) << "writing went on after the failure";
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
  EXPECT_EQ(Entries(), 1u);
}

INSTANTIATE_TEST_SUITE_P(AtEachKey, FailingAtKey, ::testing::Range(1, 7));

TEST_F(IniBatchWriteTest, RefusesPlacesThatCannotHoldTheFileAndLeavesThemAlone) {
  dir.Write("plain", "x");
  fs::create_directory(path);
  for (const std::string& target : {dir.File("plain/a.ini"), dir.File("gone/a.ini"), path}) {
    EXPECT_FALSE(Write(target)) << target;
  }
  EXPECT_EQ(dir.Read("plain"), "x");
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(Entries(), 2u);
#ifndef _WIN32
  if (::geteuid() == 0) return;  // the superuser may write read-only directories
  fs::remove(path);
  dir.Write("tarvex.ini", kOldFile);
  fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_FALSE(Write(path));
  fs::permissions(dir.path(), fs::perms::owner_all);
  EXPECT_EQ(dir.Read("tarvex.ini"), kOldFile);
#endif
}

}  // namespace
}  // namespace tarvex::testing
