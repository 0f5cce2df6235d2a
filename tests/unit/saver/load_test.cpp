// Form_Load: the settings applied to the page and the window, the hidden
// pointer, and the order of the window's first use.

#include "tests/support/case_name.h"
#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using ::testing::ElementsAre;

using LoadTest = SaverFixture;

TEST_F(LoadTest, FirstUseCreatesAndLoadsTheWindowBeforeTheIntervalIsSetAndLaterUsesDoNot) {
  Load({}, 100);
  EXPECT_THAT(desktop.calls,
              ElementsAre("CreateSaverWindowHost", "ShowCursor(0)", "SetInterval(100)"));
  EXPECT_FALSE(host->timer.Enabled()) << "no tick before the first composition";
  desktop.calls.clear();
  form->SetTimerInterval(-25);
  EXPECT_THAT(desktop.calls, ElementsAre("SetInterval(-25)"));
}

TEST_F(LoadTest, AWindowThatCannotBeMadeIsErrorSeven) {
  frmKORVAN lonely(state, desktop);
  ExpectError([&] { lonely.SetTimerInterval(25); }, runtime::kOutOfMemory);
}

// Each refused setting keeps its design value and the load goes on. The
// colour is one whole decimal number in the 32-bit range.
struct SettingsCase {
  const char* name;
  std::int16_t size;
  const char *face, *color;
  float pageSize;
  const char* pageFace;
  platform::OleColor windowColor;
};
TARVEX_PRINT_CASE_AS_NAME(SettingsCase)

using SettingsTest = SaverCaseTest<SettingsCase>;

TEST_P(SettingsTest, ReachThePageAndTheWindowOrKeepTheDesignValue) {
  state.Settings.FontSize = GetParam().size;
  state.Settings.FontName = GetParam().face;
  state.Settings.FontColor = GetParam().color;
  Load();
  EXPECT_FLOAT_EQ(Page().fontSize, GetParam().pageSize);
  EXPECT_EQ(Page().fontName, GetParam().pageFace);
  EXPECT_EQ(host->foreColor, GetParam().windowColor);
  EXPECT_EQ(Page().foreColor, 0u) << "the page takes the colour only at composition";
  EXPECT_EQ(desktop.cursor_counter, -1) << "the pointer is hidden all the same";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Settings, SettingsTest, ::testing::Values(
    SettingsCase{"AllAccepted", 12, "IPAGothic", " 65535\t", 12, "IPAGothic", 0xFFFF},
    SettingsCase{"AllRefused", 1001, "No Such Face", "255abc", 20.4f, "ＭＳ Ｐ明朝", 0},
    SettingsCase{"ZeroSizeKeepsTheDesignSize", 0, "IPAPMincho", "12.5", 20.4f, "IPAPMincho", 12},
    SettingsCase{"NegativeColourIsASystemColour", -3, "", "-2147483643", 20.4f, "ＭＳ Ｐ明朝", 0x80000005},
    SettingsCase{"ColourBeyondTheRangeRefused", 1000, "IPAGothic", "2147483648", 1000, "IPAGothic", 0}),
    testing::CaseName());
// clang-format on

}  // namespace
}  // namespace tarvex::saver::test
