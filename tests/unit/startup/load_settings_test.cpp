// The loading in every mode: paths, the six settings and the password check.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>

#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

class LoadSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", config_.str().c_str(), 1); }

  SharedState Load(const std::string& ini_body = "") {
    if (!ini_body.empty()) dir_.Write("tarvex.ini", "[TARVEX]\r\n" + ini_body + "\r\n");
    SharedState state;
    state.UsePassword = 5;
    LoadSettings(state, dir_.str());
    return state;
  }

  testing::TempDir dir_;
  testing::TempDir config_;
};

TEST_F(LoadSettingsTest, NoFilesGiveThePathsAndTheDefaults) {
  const SharedState state = Load();
  EXPECT_EQ(state.IniPath, dir_.str() + "/tarvex.ini");
  EXPECT_EQ(state.Settings.TimerInterval, 25);
  EXPECT_EQ(state.Settings.FontSize, 0);
  EXPECT_EQ(state.Settings.FontName + state.Settings.FontColor + state.Settings.MessageFile +
                state.Settings.Mp3File,
            "");
  EXPECT_EQ(state.UsePassword, 0) << "a missing registry leaves the check off";
  SharedState again;
  LoadSettings(again, dir_.str() + "/");
  EXPECT_EQ(again.AppDir, dir_.str() + "/") << "a separator is never doubled";
}

TEST_F(LoadSettingsTest, TextsAreTakenAsStoredWithinTheirBuffers) {
  const SharedState state =
      Load("FONTNAME=" + std::string(40, 'F') + "\r\nFONTCOLOR=" + std::string(60, '1') +
           "\r\nFILE=" + std::string(250, 'p') + "\r\nMP3=/music/a b.mp3");
  EXPECT_EQ(state.Settings.FontName, std::string(29, 'F'));
  EXPECT_EQ(state.Settings.FontColor, std::string(49, '1'));
  EXPECT_EQ(state.Settings.MessageFile, std::string(199, 'p'));
  EXPECT_EQ(state.Settings.Mp3File, "/music/a b.mp3");
}

// The speed is the floored step times 25 (0 means 25), read in five characters.
TEST_F(LoadSettingsTest, NumbersAreFlooredAndScaled) {
  for (const auto& [line, field, expected] :
       {std::tuple{"TIME=4", &SaverSettings::TimerInterval, 100},
        {"TIME=0", &SaverSettings::TimerInterval, 25},
        {"TIME=2.9", &SaverSettings::TimerInterval, 50},
        {"TIME=0000004", &SaverSettings::TimerInterval, 25},
        {"FONTSIZE=-0.5", &SaverSettings::FontSize, -1}}) {
    EXPECT_EQ(Load(line).Settings.*field, expected) << line;
  }
}

TEST_F(LoadSettingsTest, OutOfRangeNumbersAreOverflowErrors) {
  for (const char* line : {"TIME=1311", "TIME=1E4", "FONTSIZE=40000", "FONTSIZE=-4E4"}) {
    try {
      Load(line);
      ADD_FAILURE() << line;
    } catch (const runtime::RuntimeError& error) {
      EXPECT_EQ(error.number(), runtime::kOverflow) << line;
    }
  }
}

// Only the first two bytes count, as a little-endian 16-bit number; any
// failure to read leaves the check off.
TEST_F(LoadSettingsTest, UsePasswordIsTheFirstTwoBytesOfTheRegistryValue) {
  for (const auto& [value, expected] : {std::pair{"dword:00000001", 1},
                                        {"dword:0000ffff", -1},
                                        {"dword:00010000", 0},
                                        {"\"abc\"", 0x6261},
                                        {"\"abcd\"", 0}}) {
    config_.Write("tarvex/registry.reg",
                  std::string("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n"
                              "\"ScreenSaveUsePassword\"=") +
                      value + "\r\n");
    EXPECT_EQ(Load().UsePassword, expected) << value;
  }
}

}  // namespace
}  // namespace tarvex::basKORVAN
