// The GDI picture surface: printing, the user scale, resizing, clearing and
// the font rules, checked on the pixels of its DIB section.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/win32/gdi_picture_surface.h"
#include "platform/win32/screen_fonts.h"
#include "runtime/runtime_error.h"

namespace tarvex::platform::win32 {
namespace {

constexpr std::uint32_t kWhite = 0xFFFFFF;
constexpr std::uint32_t kRed = 0x0000FF;  // OLE: red in the low byte
const std::string kBlock = "■";           // a glyph that fills its cell

struct Box {
  int left = -1;
  int top = -1;
  int right = -1;  // exclusive
  int bottom = -1;
  bool empty() const { return left < 0; }
};

// Where the surface is not black.
Box LitBox(const GdiPictureSurface& surface) {
  Box box;
  const int width = static_cast<int>(surface.Width());
  const int height = static_cast<int>(surface.Height());
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (surface.Pixel(x, y) == 0) continue;
      if (box.empty()) box = {x, y, x + 1, y + 1};
      box = {std::min(box.left, x), std::min(box.top, y), std::max(box.right, x + 1),
             std::max(box.bottom, y + 1)};
    }
  }
  return box;
}

bool SameImage(const GdiPictureSurface& a, const GdiPictureSurface& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < static_cast<int>(a.Height()); ++y) {
    for (int x = 0; x < static_cast<int>(a.Width()); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) return false;
    }
  }
  return true;
}

class GdiPictureSurfaceTest : public ::testing::Test {
 protected:
  GdiPictureSurface page{0, 0, 200, 120, 96};
};

TEST_F(GdiPictureSurfaceTest, StartsBlackWithTheBoldDesignFont) {
  EXPECT_TRUE(LitBox(page).empty());
  EXPECT_EQ(page.FontFace(), kDesignFace);
  EXPECT_DOUBLE_EQ(page.FontPoints(), kDesignPoints);
  EXPECT_TRUE(page.FontBold());
  EXPECT_GT(page.LineHeight(), 20);  // 20.4 pt at 96 dpi is 27 pixels to the em
}

TEST_F(GdiPictureSurfaceTest, PrintsAtThePositionInTheForeColourThenMovesALineDown) {
  page.SetForeColor(kRed);
  page.SetCurrentX(10);
  page.SetCurrentY(5);
  page.PrintLine(kBlock);
  const Box box = LitBox(page);
  ASSERT_FALSE(box.empty());
  EXPECT_GE(box.left, 10);
  EXPECT_GE(box.top, 5);
  EXPECT_LT(box.bottom, 5 + page.LineHeight() + 1);
  EXPECT_EQ(page.Pixel((box.left + box.right) / 2, (box.top + box.bottom) / 2), 0xFF0000u);
  EXPECT_EQ(page.CurrentX(), 0);
  EXPECT_EQ(page.CurrentY(), static_cast<float>(5 + page.LineHeight()));
}

TEST_F(GdiPictureSurfaceTest, AnEmptyLineTakesALineHeightAndDrawsNothing) {
  page.SetForeColor(kWhite);
  page.PrintLine("");
  EXPECT_TRUE(LitBox(page).empty());
  EXPECT_EQ(page.CurrentY(), static_cast<float>(page.LineHeight()));
}

TEST_F(GdiPictureSurfaceTest, SystemColoursComeFromTheDesktop) {
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  ASSERT_NE(window, 0u) << "the desktop's window colour is black";
  page.SetForeColor(kSystemColorFlag | COLOR_WINDOW);
  page.PrintLine(kBlock);
  const Box box = LitBox(page);
  ASSERT_FALSE(box.empty());
  const std::uint32_t rgb =
      (GetRValue(window) << 16) | (GetGValue(window) << 8) | GetBValue(window);
  EXPECT_EQ(page.Pixel((box.left + box.right) / 2, (box.top + box.bottom) / 2), rgb);
}

TEST_F(GdiPictureSurfaceTest, ControlCharactersPrintAsBlanks) {
  GdiPictureSurface spaced(0, 0, 200, 120, 96);
  page.SetForeColor(kWhite);
  spaced.SetForeColor(kWhite);
  page.PrintLine(kBlock + "\t" + kBlock);
  spaced.PrintLine(kBlock + " " + kBlock);
  EXPECT_TRUE(SameImage(page, spaced));
}

TEST_F(GdiPictureSurfaceTest, AVeryLongLineShowsWhatAShortOneWouldUpToTheRightEdge) {
  GdiPictureSurface shortLine(0, 0, 200, 120, 96);
  page.SetForeColor(kWhite);
  shortLine.SetForeColor(kWhite);
  std::string longText;
  for (int i = 0; i < 100000; ++i) longText += kBlock;
  std::string enough;
  for (int i = 0; i < 20; ++i) enough += kBlock;  // wider than 200 pixels
  page.PrintLine(longText);
  shortLine.PrintLine(enough);
  EXPECT_TRUE(SameImage(page, shortLine));
  EXPECT_GT(LitBox(page).right, 180);  // the blocks reach the right edge
}

TEST_F(GdiPictureSurfaceTest, PositionsAreInUserUnitsOnceAScaleIsSet) {
  page.SetScaleHeight(60);  // 2 pixels per unit
  EXPECT_EQ(page.ScaleHeight(), 60);
  EXPECT_EQ(page.Height(), 120);
  page.SetForeColor(kWhite);
  page.SetCurrentY(20);  // pixel row 40
  page.PrintLine(kBlock);
  EXPECT_GE(LitBox(page).top, 40);
  EXPECT_FLOAT_EQ(page.CurrentY(), 20 + page.LineHeight() / 2.0f);
}

TEST_F(GdiPictureSurfaceTest, AZeroScaleKeepsPositionsInPixels) {
  page.SetScaleHeight(0);
  page.PrintLine(kBlock);
  EXPECT_EQ(page.CurrentY(), static_cast<float>(page.LineHeight()));
}

TEST_F(GdiPictureSurfaceTest, ResizingKeepsTheTopLeftAndNewAreaIsBlack) {
  page.SetForeColor(kWhite);
  page.PrintLine(kBlock);
  const Box before = LitBox(page);
  page.SetWidth(20);
  page.SetWidth(300);
  page.SetHeight(400);
  EXPECT_EQ(page.Width(), 300);
  EXPECT_EQ(page.Height(), 400);
  const Box after = LitBox(page);
  EXPECT_EQ(after.left, before.left);
  EXPECT_EQ(after.top, before.top);
  EXPECT_EQ(after.right, std::min(before.right, 20));
  EXPECT_EQ(after.bottom, before.bottom);
}

TEST_F(GdiPictureSurfaceTest, SizesThatAreNotPositiveLeaveAnEmptyImage) {
  for (const float size : {0.0f, -5.0f, std::numeric_limits<float>::quiet_NaN()}) {
    page.SetWidth(size);
    EXPECT_EQ(page.Width(), 0) << size;
    page.PrintLine(kBlock);  // nothing to draw on, and no failure
    page.Cls();
  }
  page.SetWidth(50);
  EXPECT_TRUE(LitBox(page).empty());
}

TEST_F(GdiPictureSurfaceTest, ClsBlackensTheImageAndResetsThePosition) {
  page.SetForeColor(kWhite);
  page.SetCurrentX(7);
  page.PrintLine(kBlock);
  page.SetCurrentX(7);
  page.Cls();
  EXPECT_TRUE(LitBox(page).empty());
  EXPECT_EQ(page.CurrentX(), 0);
  EXPECT_EQ(page.CurrentY(), 0);
}

class RefusedFontSize : public GdiPictureSurfaceTest,
                        public ::testing::WithParamInterface<float> {};

TEST_P(RefusedFontSize, IsAnInvalidPropertyValueAndKeepsTheFont) {
  try {
    page.SetFontSize(GetParam());
    FAIL() << "size accepted";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kInvalidPropertyValue);
  }
  EXPECT_DOUBLE_EQ(page.FontPoints(), kDesignPoints);
}

INSTANTIATE_TEST_SUITE_P(Sizes, RefusedFontSize,
                         ::testing::Values(0.0f, -12.0f, kMaxFontPoints + 1.0f,
                                           std::numeric_limits<float>::quiet_NaN()));

TEST_F(GdiPictureSurfaceTest, ALargerSizeMakesTallerLines) {
  const int designHeight = page.LineHeight();
  page.SetFontSize(40);
  EXPECT_GT(page.LineHeight(), designHeight);
  page.SetFontSize(10);
  EXPECT_LT(page.LineHeight(), designHeight);
}

class RefusedFontFace : public GdiPictureSurfaceTest,
                        public ::testing::WithParamInterface<std::string> {};

TEST_P(RefusedFontFace, IsAnInvalidPropertyValueAndKeepsTheFace) {
  try {
    page.SetFontName(GetParam());
    FAIL() << "face accepted";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kInvalidPropertyValue);
  }
  EXPECT_EQ(page.FontFace(), kDesignFace);
}

INSTANTIATE_TEST_SUITE_P(Faces, RefusedFontFace,
                         ::testing::Values("", "No Such Face 4711",
                                           "A face name far longer than GDI keeps",
                                           "Face\xF0\x9F\x98\x80"));

TEST_F(GdiPictureSurfaceTest, AFaceTheScreenHasIsTaken) {
  const auto faces = ScreenFontNames();
  ASSERT_FALSE(faces.empty());
  page.SetFontName(faces.back());
  EXPECT_EQ(page.FontFace(), faces.back());
}

TEST_F(GdiPictureSurfaceTest, BoldCanBeSwitchedOff) {
  page.SetFontBold(false);
  EXPECT_FALSE(page.FontBold());
  EXPECT_EQ(page.FontFace(), kDesignFace);
}

}  // namespace
}  // namespace tarvex::platform::win32
