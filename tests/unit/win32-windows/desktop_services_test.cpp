// The Win32 desktop's own services: the screen font list, font faces, OLE
// colours, design units, the pointer counter and the window hosts it makes.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "platform/saver_window_host.h"
#include "platform/win32/design_units.h"
#include "platform/win32/gdi_colors.h"
#include "platform/win32/screen_fonts.h"
#include "platform/win32/win32_desktop.h"
#include "runtime/twips.h"

namespace tarvex::platform::win32 {
namespace {

using Names = std::vector<std::string>;

struct RepeatCase {
  Names given;
  Names expected;
};

class RepeatedNames : public ::testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatedNames, AreDroppedKeepingTheFirstInPlace) {
  EXPECT_EQ(WithoutRepeats(GetParam().given), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, RepeatedNames,
                         ::testing::Values(RepeatCase{{}, {}},
                                           RepeatCase{{"B", "A", "B", "C", "A"}, {"B", "A", "C"}},
                                           RepeatCase{{"@ＭＳ 明朝", "ＭＳ 明朝", "@ＭＳ 明朝"},
                                                      {"@ＭＳ 明朝", "ＭＳ 明朝"}},
                                           RepeatCase{{"Arial", "arial"}, {"Arial", "arial"}}));

TEST(ScreenFonts, TheListHoldsEachNameOnceAndEveryNameIsAFaceTheScreenHas) {
  const Names names = ScreenFontNames();
  ASSERT_FALSE(names.empty());
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size());
  for (std::size_t i = 0; i < names.size(); i += std::max<std::size_t>(1, names.size() / 8)) {
    EXPECT_TRUE(ScreenHasFontFace(names[i])) << names[i];
  }
}

TEST(ScreenFonts, FacesAreMatchedWithoutRegardToLetterCase) {
  const Names names = ScreenFontNames();
  const auto latin = std::find_if(names.begin(), names.end(), [](const std::string& name) {
    return std::any_of(name.begin(), name.end(), [](char c) { return c >= 'a' && c <= 'z'; });
  });
  ASSERT_NE(latin, names.end());
  std::string upper = *latin;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
  EXPECT_TRUE(ScreenHasFontFace(upper)) << upper;
}

struct ColourCase {
  OleColor ole;
  COLORREF expected;
};

class OleColours : public ::testing::TestWithParam<ColourCase> {};

TEST_P(OleColours, BecomeTheGdiColour) {
  EXPECT_EQ(ColorRefFromOle(GetParam().ole), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, OleColours,
    ::testing::Values(ColourCase{0x000000FF, RGB(255, 0, 0)},
                      ColourCase{0x00FF0000, RGB(0, 0, 255)},
                      ColourCase{0x12345678, 0x00345678},    // stray high bits are no colour
                      ColourCase{0x8000001F, RGB(0, 0, 0)},  // no desktop colour 31
                      ColourCase{0xFFFFFFFF, RGB(0, 0, 0)}));

TEST(OleColours, DesktopColoursComeFromTheSystem) {
  for (int index : {COLOR_MENUTEXT, COLOR_WINDOW, COLOR_HIGHLIGHT, COLOR_BTNFACE}) {
    EXPECT_EQ(ColorRefFromOle(kSystemColorFlag | static_cast<OleColor>(index)), GetSysColor(index))
        << index;
  }
}

struct TwipsCase {
  double twips;
  int dpi;
  int pixels;
};

class DesignUnits : public ::testing::TestWithParam<TwipsCase> {};

TEST_P(DesignUnits, AreWholePixelsAtTheScreensResolution) {
  EXPECT_EQ(runtime::TwipsToPixels(GetParam().twips, GetParam().dpi), GetParam().pixels);
}

INSTANTIATE_TEST_SUITE_P(Sizes, DesignUnits,
                         ::testing::Values(TwipsCase{15, 96, 1}, TwipsCase{10440, 96, 696},
                                           TwipsCase{10440, 120, 870}, TwipsCase{4515, 96, 301},
                                           TwipsCase{4515, 120, 376}, TwipsCase{5652, 144, 565},
                                           TwipsCase{0, 96, 0}));

TEST(Win32Desktop, ThePointerCounterGoesDownAndBackUpByOne) {
  Win32Desktop desktop;
  const int hidden = desktop.ShowCursor(false);
  EXPECT_EQ(desktop.ShowCursor(true), hidden + 1);
}

TEST(Win32Desktop, TheSaverWindowCoversThePrimaryScreen) {
  Win32Desktop desktop;
  const auto host = desktop.CreateSaverWindowHost();
  EXPECT_EQ(host->ScaleWidth(), static_cast<float>(GetSystemMetrics(SM_CXSCREEN)));
  EXPECT_EQ(host->ScaleHeight(), static_cast<float>(GetSystemMetrics(SM_CYSCREEN)));
  // Design sizes follow the screen's resolution.
  EXPECT_EQ(host->Picture(2).Width(), runtime::TwipsToPixels(10440, ScreenDpi()));
}

}  // namespace
}  // namespace tarvex::platform::win32
