// Main's loading of the settings and its courses on a fake desktop and fake
// windows: password change, the settings dialog, the saver without the
// playback library, and the error reports.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_dialog_host.h"
#include "tests/support/fake_saver_host.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

using testing::FakeSaverWindowHost;

class MainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.str().c_str(), 1);
    desktop_.program_directory = dir_.str();
    dir_.Write("readme.txt", "one\r\ntwo\r\n");
    desktop_.dialog_host_factory = [this] {
      return std::make_unique<testing::FakeDialogHost>(dialog_);
    };
    desktop_.saver_host_factory = [this] {
      auto host = std::make_unique<FakeSaverWindowHost>(1024, 768);
      host->recordBlits = false;
      // The user: the window is activated, one tick runs, two clicks end it.
      host->onShowModal = [this](FakeSaverWindowHost& window) {
        window.form->Form_Activate();
        window.form->tmrStr_Timer();
        window.form->picTARVEX_Click(1);
        window.form->picTARVEX_Click(1);
        saver_closed_ = window.closed;
      };
      return host;
    };
  }

  void WriteIni(const std::string& body) const {
    if (!body.empty()) dir_.Write("tarvex.ini", "[TARVEX]\r\n" + body + "\r\n");
  }
  SharedState Load(const std::string& ini_body = "") const {
    WriteIni(ini_body);
    SharedState state;
    state.UsePassword = 5;
    LoadSettings(state, dir_.str());
    return state;
  }
  int Run(const std::string& command_line, const std::string& ini_body = "") {
    WriteIni(ini_body);
    desktop_.calls.clear();
    desktop_.command_line = command_line;
    return Main(desktop_);
  }
  bool Called(const std::string& prefix) const {
    return std::any_of(desktop_.calls.begin(), desktop_.calls.end(),
                       [&](const std::string& call) { return call.starts_with(prefix); });
  }

  testing::TempDir dir_;
  testing::TempDir config_;
  testing::FakeDesktop desktop_;
  testing::FakeDialog dialog_;
  bool saver_closed_ = false;
};

TEST_F(MainTest, NoFilesGiveThePathsAndTheDefaults) {
  const SharedState state = Load();
  EXPECT_EQ(state.IniPath, dir_.str() + "/tarvex.ini");
  EXPECT_EQ(state.Settings.TimerInterval, 25);
  EXPECT_EQ(state.Settings.FontSize, 0);
  EXPECT_EQ(state.Settings.FontName + state.Settings.FontColor + state.Settings.MessageFile +
                state.Settings.Mp3File,
            "");
  EXPECT_EQ(state.UsePassword, 0) << "a missing registry leaves the check off";
}

// A NUL ends a value, as the settings file's reader hands it over.
TEST_F(MainTest, TextsAreTakenAsStoredWithinTheirBuffers) {
  const SharedState state =
      Load("FONTNAME=" + std::string(40, 'F') + "\r\nFONTCOLOR=" + std::string(60, '1') +
           "\r\nFILE=" + std::string(250, 'p') + "\r\nMP3=/music/a b.mp3" + '\0' + "tail");
  EXPECT_EQ(state.Settings.FontName, std::string(29, 'F'));
  EXPECT_EQ(state.Settings.FontColor, std::string(49, '1'));
  EXPECT_EQ(state.Settings.MessageFile, std::string(199, 'p'));
  EXPECT_EQ(state.Settings.Mp3File, "/music/a b.mp3");
}

// The speed is the floored step times 25 (0 means 25), read in five
// characters; what does not fit is an overflow.
TEST_F(MainTest, NumbersAreFlooredAndScaledOrOverflow) {
  for (const auto& [line, field, expected] :
       {std::tuple{"TIME=4", &SaverSettings::TimerInterval, 100},
        {"TIME=0", &SaverSettings::TimerInterval, 25},
        {"TIME=2.9", &SaverSettings::TimerInterval, 50},
        {"TIME=0000004", &SaverSettings::TimerInterval, 25},
        {"FONTSIZE=-0.5", &SaverSettings::FontSize, -1}}) {
    EXPECT_EQ(Load(line).Settings.*field, expected) << line;
  }
  for (const char* line : {"TIME=1311", "TIME=1E4", "FONTSIZE=40000", "FONTSIZE=-4E4"}) {
    EXPECT_THROW(Load(line), runtime::RuntimeError) << line;
  }
}

// Only the first two bytes count, as a little-endian 16-bit number; any
// failure to read leaves the check off.
TEST_F(MainTest, UsePasswordIsTheFirstTwoBytesOfTheRegistryValue) {
  for (const auto& [value, expected] : {std::pair{"dword:00000001", 1},
                                        {"dword:0000ffff", -1},
                                        {"dword:00010000", 0},
                                        {"\"abc\"", 0x6261},
                                        {"\"abcd\"", 0}}) {
    config_.Write("tarvex/registry.reg",
                  std::string("REGEDIT4\r\n[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n"
                              "\"ScreenSaveUsePassword\"=") +
                      value + "\r\n");
    EXPECT_EQ(Load().UsePassword, expected) << value;
  }
}

// A message file that does not exist shows that the dialog never reads it.
TEST_F(MainTest, SettingsShowTheDialogAndAnOverflowIsReportedBeforeAnyWindowInEveryMode) {
  EXPECT_EQ(Run("/c", "FILE=/no/such/message.txt"), 0);
  EXPECT_FALSE(Called("CreateSaverWindowHost") || Called("MessageBox"));
  EXPECT_EQ(dialog_.show_count, 1);
  for (const char* line : {"/p", "/c", "/s"}) {
    EXPECT_EQ(Run(line, "TIME=1311"), 1) << line;
    EXPECT_FALSE(Called("Create")) << line;
    EXPECT_TRUE(Called("MessageBox(実行時エラー 6: ")) << line;
  }
}

TEST_F(MainTest, SaverWithoutThePlaybackLibraryEndsWithTheReportAfterTheClose) {
  EXPECT_EQ(Run("/S"), 1);
  EXPECT_TRUE(saver_closed_) << "the window ran and closed first";
  ASSERT_FALSE(desktop_.calls.empty());
  EXPECT_TRUE(desktop_.calls.back().starts_with("MessageBox(実行時エラー 48: "))
      << desktop_.calls.back();
}

}  // namespace
}  // namespace tarvex::basKORVAN
