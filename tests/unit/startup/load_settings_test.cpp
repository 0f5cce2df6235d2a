// The loading steps: settings file, registry stand-in, paths.

#include <gtest/gtest.h>

#include <cstdlib>

#include "runtime/runtime_error.h"
#include "startup/basKORVAN.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

using testing::TempDir;

class LoadSettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_CONFIG_HOME", config_.str().c_str(), 1); }

  SharedState LoadWithIni(const std::string& body) {
    dir_.Write("tarvex.ini", "[TARVEX]\r\n" + body);
    SharedState state;
    LoadSettings(state, dir_.str());
    return state;
  }

  void WriteRegistryValue(const std::string& value) {
    config_.Write("tarvex/registry.reg",
                  "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Control Panel\\desktop]\r\n"
                  "\"ScreenSaveUsePassword\"=" +
                      value + "\r\n");
  }

  TempDir dir_;
  TempDir config_;
};

TEST_F(LoadSettingsTest, NoSettingsFileGivesTheDefaults) {
  SharedState state;
  LoadSettings(state, dir_.str());
  EXPECT_EQ(state.AppDir, dir_.str() + "/");
  EXPECT_EQ(state.IniPath, dir_.str() + "/tarvex.ini");
  EXPECT_EQ(state.Settings.TimerInterval, 25);
  EXPECT_EQ(state.Settings.FontSize, 0);
  EXPECT_EQ(state.Settings.FontName, "");
  EXPECT_EQ(state.Settings.FontColor, "");
  EXPECT_EQ(state.Settings.MessageFile, "");
  EXPECT_EQ(state.Settings.Mp3File, "");
  EXPECT_EQ(state.UsePassword, 0);
  EXPECT_EQ(state.LineCount, 0);
}

TEST_F(LoadSettingsTest, ProgramDirectoryEndingInTheSeparatorKeepsOne) {
  SharedState state;
  LoadSettings(state, dir_.str() + "/");
  EXPECT_EQ(state.IniPath, dir_.str() + "/tarvex.ini");
}

TEST_F(LoadSettingsTest, TextsAreTakenAsStoredWithinTheirBuffers) {
  const SharedState state = LoadWithIni(
      "FONTNAME=IPAPMincho\r\nFONTCOLOR=65535\r\nFILE=/home/user/メッセージ.txt\r\n"
      "MP3= /music/a b.mp3 \r\nfontname=ignored second key\r\n");
  EXPECT_EQ(state.Settings.FontName, "IPAPMincho");
  EXPECT_EQ(state.Settings.FontColor, "65535");
  EXPECT_EQ(state.Settings.MessageFile, "/home/user/メッセージ.txt");
  EXPECT_EQ(state.Settings.Mp3File, "/music/a b.mp3");
}

TEST_F(LoadSettingsTest, LongFontNameIsCutTo29Bytes) {
  const SharedState state = LoadWithIni("FONTNAME=" + std::string(40, 'F') + "\r\n");
  EXPECT_EQ(state.Settings.FontName, std::string(29, 'F'));
}

struct NumberCase {
  const char* stored;
  std::int16_t expected;
};

class TimeKeyTest : public LoadSettingsTest, public ::testing::WithParamInterface<NumberCase> {};

TEST_P(TimeKeyTest, StepTimes25WithZeroMeaning25) {
  const SharedState state = LoadWithIni(std::string("TIME=") + GetParam().stored + "\r\n");
  EXPECT_EQ(state.Settings.TimerInterval, GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Values, TimeKeyTest,
                         ::testing::Values(NumberCase{"4", 100}, NumberCase{"0", 25},
                                           NumberCase{"fast", 25}, NumberCase{"0.9", 25},
                                           NumberCase{"2.9", 50}, NumberCase{"1310", 32750},
                                           NumberCase{"0000004", 25}, NumberCase{"-1", -25},
                                           NumberCase{"-1310", -32750}, NumberCase{"", 25},
                                           NumberCase{" 10 ", 250}));

class FontSizeKeyTest : public LoadSettingsTest,
                        public ::testing::WithParamInterface<NumberCase> {};

TEST_P(FontSizeKeyTest, FloorOfTheNumber) {
  const SharedState state = LoadWithIni(std::string("FONTSIZE=") + GetParam().stored + "\r\n");
  EXPECT_EQ(state.Settings.FontSize, GetParam().expected) << GetParam().stored;
}

INSTANTIATE_TEST_SUITE_P(Values, FontSizeKeyTest,
                         ::testing::Values(NumberCase{"12.7", 12}, NumberCase{"-0.5", -1},
                                           NumberCase{" 24", 24}, NumberCase{"12pt", 12},
                                           NumberCase{"", 0}, NumberCase{"32767", 32767}));

// The read buffers hold five characters, so only exponents reach far out.
TEST_F(LoadSettingsTest, OutOfRangeNumbersAreOverflowErrors) {
  for (const char* line :
       {"TIME=1311", "TIME=-1311", "TIME=1E4", "FONTSIZE=40000", "FONTSIZE=-4E4"}) {
    dir_.Write("tarvex.ini", std::string("[TARVEX]\r\n") + line + "\r\n");
    SharedState state;
    try {
      LoadSettings(state, dir_.str());
      ADD_FAILURE() << line;
    } catch (const runtime::RuntimeError& error) {
      EXPECT_EQ(error.number(), runtime::kOverflow) << line;
    }
  }
}

struct RegistryCase {
  const char* value;
  std::int32_t usePassword;
};

class UsePasswordTest : public LoadSettingsTest,
                        public ::testing::WithParamInterface<RegistryCase> {};

TEST_P(UsePasswordTest, FirstTwoBytesOfTheValue) {
  WriteRegistryValue(GetParam().value);
  SharedState state;
  LoadSettings(state, dir_.str());
  EXPECT_EQ(state.UsePassword, GetParam().usePassword) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(
    Values, UsePasswordTest,
    ::testing::Values(RegistryCase{"dword:00000001", 1}, RegistryCase{"hex:01,00,00,00", 1},
                      RegistryCase{"hex:00,00,01,00", 0}, RegistryCase{"dword:0000ffff", -1},
                      RegistryCase{"dword:00010000", 0}, RegistryCase{"\"1\"", 0x31},
                      RegistryCase{"\"abc\"", 0x6261}, RegistryCase{"\"\"", 0},
                      RegistryCase{"\"abcd\"", 0}, RegistryCase{"hex:01,00,00,00,00", 0}));

TEST_F(LoadSettingsTest, MissingRegistryFileLeavesTheCheckOff) {
  SharedState state;
  state.UsePassword = 5;
  LoadSettings(state, dir_.str());
  EXPECT_EQ(state.UsePassword, 0);
}

}  // namespace
}  // namespace tarvex::basKORVAN
