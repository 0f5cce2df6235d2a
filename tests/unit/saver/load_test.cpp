// Form_Load: the settings applied to the page and the window, the hidden
// pointer, and the order of the window's first use.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using ::testing::ElementsAre;

class LoadTest : public SaverFixture {};

TEST_F(LoadTest, FirstUseCreatesAndLoadsTheWindowBeforeTheIntervalIsSet) {
  Load(100);
  EXPECT_THAT(desktop.calls,
              ElementsAre("CreateSaverWindowHost", "ShowCursor(0)", "SetInterval(100)"));
  EXPECT_EQ(host->timer.Interval(), 100);
  EXPECT_FALSE(host->timer.Enabled()) << "no tick before the first composition";
  EXPECT_EQ(host->form, form.get());
}

TEST_F(LoadTest, LaterUsesDoNotLoadAgain) {
  Load(100);
  desktop.calls.clear();
  form->SetTimerInterval(-25);
  EXPECT_THAT(desktop.calls, ElementsAre("SetInterval(-25)"));
}

TEST_F(LoadTest, AWindowThatCannotBeMadeIsARuntimeError) {
  desktop.saver_host_factory = nullptr;
  frmKORVAN lonely(state, desktop);
  EXPECT_THROW(lonely.SetTimerInterval(25), runtime::RuntimeError);
}

TEST_F(LoadTest, EveryRefusedSettingIsSkippedAndTheLoadGoesOn) {
  state.Settings.FontSize = 32767;
  state.Settings.FontName = "No Such Face";
  state.Settings.FontColor = "red";
  Load();
  EXPECT_FLOAT_EQ(Page().fontSize, 20.4f);
  EXPECT_EQ(Page().fontName, "ＭＳ Ｐ明朝");
  EXPECT_TRUE(Page().bold);
  EXPECT_EQ(host->foreColor, 0u);
  EXPECT_EQ(desktop.cursor_counter, -1) << "the pointer is hidden all the same";
}

TEST_F(LoadTest, AcceptedSettingsReachThePageAndTheWindow) {
  state.Settings.FontSize = 12;
  state.Settings.FontName = "IPAGothic";
  state.Settings.FontColor = "65535";
  Load();
  EXPECT_FLOAT_EQ(Page().fontSize, 12);
  EXPECT_EQ(Page().fontName, "IPAGothic");
  EXPECT_TRUE(Page().bold) << "the page keeps its bold design weight";
  EXPECT_EQ(host->foreColor, 0x0000FFFFu);
  EXPECT_EQ(Page().foreColor, 0u) << "the page takes the colour only at composition";
}

struct FontSizeCase {
  std::int16_t stored;
  float expected;
};

class FontSizeTest : public SaverFixture, public ::testing::WithParamInterface<FontSizeCase> {};

TEST_P(FontSizeTest, SizesAtOrBelowZeroOrAboveTheBoundKeepTheDesignSize) {
  state.Settings.FontSize = GetParam().stored;
  Load();
  EXPECT_FLOAT_EQ(Page().fontSize, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSizeTest,
                         ::testing::Values(FontSizeCase{12, 12}, FontSizeCase{1, 1},
                                           FontSizeCase{0, 20.4f}, FontSizeCase{-1, 20.4f},
                                           FontSizeCase{-32768, 20.4f}, FontSizeCase{1000, 1000},
                                           FontSizeCase{1001, 20.4f}, FontSizeCase{32767, 20.4f}));

struct ColorCase {
  const char* text;
  std::uint32_t expected;
};

class FontColorTest : public SaverFixture, public ::testing::WithParamInterface<ColorCase> {};

TEST_P(FontColorTest, OnlyAWholeDecimalNumberInRangeSetsTheForeColour) {
  state.Settings.FontColor = GetParam().text;
  Load();
  EXPECT_EQ(host->foreColor, GetParam().expected) << "FontColor \"" << GetParam().text << '"';
}

INSTANTIATE_TEST_SUITE_P(
    Texts, FontColorTest,
    ::testing::Values(ColorCase{"255", 0x0000FFu}, ColorCase{"16777215", 0xFFFFFFu},
                      ColorCase{" 65280\t", 0x00FF00u}, ColorCase{"+16711680", 0xFF0000u},
                      ColorCase{"-2147483643", 0x80000005u}, ColorCase{"-1", 0xFFFFFFFFu},
                      ColorCase{"12.5", 12u}, ColorCase{"13.5", 14u}, ColorCase{".5", 0u},
                      ColorCase{"1e3", 1000u}, ColorCase{"2D2", 200u},
                      ColorCase{"2147483647", 0x7FFFFFFFu},
                      // Left at the design black:
                      ColorCase{"", 0u}, ColorCase{"   ", 0u}, ColorCase{"abc", 0u},
                      ColorCase{"255abc", 0u}, ColorCase{"2 55", 0u}, ColorCase{"&HFF", 0u},
                      ColorCase{"1e", 0u}, ColorCase{"-", 0u}, ColorCase{"1.2.3", 0u},
                      ColorCase{"2147483648", 0u}, ColorCase{"-2147483649", 0u},
                      ColorCase{"1e400", 0u}));

}  // namespace
}  // namespace tarvex::saver::test
