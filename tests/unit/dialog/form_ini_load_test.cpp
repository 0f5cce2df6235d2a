// What the dialog shows for the loaded settings.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/dialog/form_ini_fixture.h"

namespace tarvex::testing {
namespace {

using platform::DialogList;
using platform::DialogTextBox;

class FormIniLoadTest : public FormIniFixture {
 protected:
  void Load() { RunAndPress(&platform::DialogEvents::cmdEXIT_Click); }
};

TEST_F(FormIniLoadTest, FillsTheListsInOrder) {
  desktop.fonts = {"Zeta", "Alpha", "IPAGothic"};
  Load();
  std::vector<std::string> sizes;
  for (int size = 10; size <= 72; ++size) sizes.push_back(std::to_string(size));
  EXPECT_EQ(host->lists[DialogList::cmbSize].items, sizes);
  EXPECT_EQ(host->lists[DialogList::cmbTim].items,
            (std::vector<std::string>{"1", "2", "3", "4", "5", "6", "7", "8", "9", "10"}));
  EXPECT_EQ(host->lists[DialogList::cmbFont].items, desktop.fonts);
}

TEST_F(FormIniLoadTest, ShowsThePathsExactly) {
  state.Settings.MessageFile = "/home/u/メッセージ 1.txt";
  state.Settings.Mp3File = "";
  Load();
  EXPECT_EQ(host->texts[DialogTextBox::txtFile], "/home/u/メッセージ 1.txt");
  EXPECT_EQ(host->texts[DialogTextBox::txtMP3], "");
}

TEST_F(FormIniLoadTest, LeavesTheFontListEmptyWithoutFonts) {
  desktop.fonts.clear();
  Load();
  EXPECT_EQ(host->ListText(DialogList::cmbFont), "");
  EXPECT_EQ(host->ListText(DialogList::cmbSize), "10");
}

struct SizeShown {
  std::int16_t font_size;
  std::string shown;
};

class SizeShownTest : public FormIniLoadTest, public ::testing::WithParamInterface<SizeShown> {};

TEST_P(SizeShownTest, SelectsTheSizeOrTen) {
  state.Settings.FontSize = GetParam().font_size;
  Load();
  EXPECT_EQ(host->ListText(DialogList::cmbSize), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(Sizes, SizeShownTest,
                         ::testing::Values(SizeShown{10, "10"}, SizeShown{9, "10"},
                                           SizeShown{0, "10"}, SizeShown{73, "10"},
                                           SizeShown{11, "11"}, SizeShown{24, "24"},
                                           SizeShown{72, "72"}));

struct SpeedShown {
  std::int16_t timer_interval;
  std::string shown;
};

class SpeedShownTest : public FormIniLoadTest, public ::testing::WithParamInterface<SpeedShown> {};

TEST_P(SpeedShownTest, SelectsTheStepAlways) {
  state.Settings.TimerInterval = GetParam().timer_interval;
  Load();
  EXPECT_EQ(host->ListText(DialogList::cmbTim), GetParam().shown);
}

// 25 is what the loader makes of a stored 0; 275 and -75 are steps 11 and -3.
INSTANTIATE_TEST_SUITE_P(Periods, SpeedShownTest,
                         ::testing::Values(SpeedShown{25, "1"}, SpeedShown{100, "4"},
                                           SpeedShown{250, "10"}, SpeedShown{275, "10"},
                                           SpeedShown{-75, "1"}));

struct FontShown {
  std::vector<std::string> fonts;
  std::string stored;
  int index;
};

class FontShownTest : public FormIniLoadTest, public ::testing::WithParamInterface<FontShown> {};

TEST_P(FontShownTest, SelectsTheLastEqualNameOrTheFirstFont) {
  desktop.fonts = GetParam().fonts;
  state.Settings.FontName = GetParam().stored;
  Load();
  EXPECT_EQ(host->lists[DialogList::cmbFont].index, GetParam().index);
}

INSTANTIATE_TEST_SUITE_P(Names, FontShownTest,
                         ::testing::Values(FontShown{{"A", "IPAGothic", "B"}, "IPAGothic", 1},
                                           FontShown{{"A", "IPAGothic", "B"}, "Missing", 0},
                                           FontShown{{"A", "IPAGothic", "B"}, "", 0},
                                           FontShown{{"A", "IPAGothic", "B"}, "ipagothic", 0},
                                           FontShown{{"A", "B", "A", "C"}, "A", 2}));

struct ColorShown {
  std::string stored;
  std::int32_t swatch;
};

class ColorShownTest : public FormIniLoadTest, public ::testing::WithParamInterface<ColorShown> {};

TEST_P(ColorShownTest, ShowsValidColoursAndOtherwiseTheMenuTextColour) {
  state.Settings.FontColor = GetParam().stored;
  Load();
  EXPECT_EQ(host->swatch, GetParam().swatch);
}

constexpr std::int32_t kMenuText = -2147483641;

INSTANTIATE_TEST_SUITE_P(
    Texts, ColorShownTest,
    ::testing::Values(ColorShown{"", kMenuText}, ColorShown{"255", 255}, ColorShown{"0", 0},
                      ColorShown{"-2147483633", -2147483633}, ColorShown{"blue", kMenuText},
                      ColorShown{"16777216", kMenuText}, ColorShown{"-1", kMenuText},
                      ColorShown{"99999999999", kMenuText}));

}  // namespace
}  // namespace tarvex::testing
