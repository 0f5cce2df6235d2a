// The GDI picture surface, checked on the pixels of its DIB section:
// printing, the user scale and the font rules.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/saver_window_host.h"
#include "platform/win32/gdi_picture_surface.h"
#include "platform/win32/screen_fonts.h"
#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"

namespace tarvex::platform::win32 {
namespace {

using Box = std::array<int, 4>;  // left, top, right, bottom (exclusive); right -1 when empty

// The pixels row by row, and the box where they are not black.
std::pair<std::vector<std::uint32_t>, Box> Picture(const GdiPictureSurface& surface) {
  std::pair<std::vector<std::uint32_t>, Box> picture{{}, {1 << 30, 1 << 30, -1, -1}};
  auto& [pixels, box] = picture;
  for (int y = 0; y < static_cast<int>(surface.Height()); ++y) {
    for (int x = 0; x < static_cast<int>(surface.Width()); ++x) {
      pixels.push_back(surface.Pixel(x, y));
      if (pixels.back() != 0)
        box = {std::min(box[0], x), std::min(box[1], y), std::max(box[2], x + 1), y + 1};
    }
  }
  return picture;
}

class GdiPictureSurfaceTest : public ::testing::Test {
 protected:
  GdiPictureSurface page{0, 0, 200, 120, 96};
};

struct PrintCase {
  const char* name;
  std::optional<float> scaleHeight;  // the page is 120 pixels high
  float y;
  std::string text;
  float pixelsPerUnit;
  std::string sameAs;  // a text that must draw the same image, if any
  float width = 200;
};

class PrintLine : public GdiPictureSurfaceTest, public ::testing::WithParamInterface<PrintCase> {};

TEST_P(PrintLine, DrawsInTheForeColourWithinALineBelowThePositionThenMovesALineDown) {
  const PrintCase& c = GetParam();
  GdiPictureSurface other(0, 0, 200, 120, 96);
  for (GdiPictureSurface* surface : {&page, &other}) {
    surface->SetWidth(c.width);
    if (c.scaleHeight) surface->SetScaleHeight(*c.scaleHeight);
    surface->SetForeColor(0x0000FF);  // OLE red
    surface->SetCurrentX(10);
    surface->SetCurrentY(c.y);
  }
  page.PrintLine(c.text);
  const int top = static_cast<int>(c.y * c.pixelsPerUnit);
  const auto [image, box] = Picture(page);
  ASSERT_EQ(box[2] >= 0, !c.text.empty() && top < 120 && c.width > 0);
  if (box[2] >= 0) {
    EXPECT_GE(box[0], 10);
    EXPECT_GE(box[1], top);
    EXPECT_LE(box[3], top + page.LineHeight());
    EXPECT_THAT(image, ::testing::Contains(0xFF0000u));
  }
  EXPECT_EQ(page.CurrentX(), 0);
  EXPECT_FLOAT_EQ(page.CurrentY(), c.y + page.LineHeight() / c.pixelsPerUnit);
  if (!c.sameAs.empty()) {
    other.PrintLine(c.sameAs);
    EXPECT_EQ(image, Picture(other).first);
  }
}

// Control characters print as blanks; a very long line shows what one just
// wider than the page would; a page of no width takes lines and draws none.
const PrintCase kPrintCases[] = {
    {"InPixels", {}, 5, "■", 1, ""},
    {"EmptyLine", {}, 5, "", 1, ""},
    {"TwoPixelsAUnit", 60, 20, "■", 2, ""},
    {"TabIsABlank", {}, 5, "■\t■", 1, "■ ■"},
    {"VeryLongLine", {}, 5, std::string(100000, '#'), 1, std::string(20, '#')},
    {"ZeroWidth", {}, 5, "■", 1, "", 0},
};
INSTANTIATE_TEST_SUITE_P(Positions, PrintLine, ::testing::ValuesIn(kPrintCases),
                         testing::CaseName());

TEST_F(GdiPictureSurfaceTest, TheFontTakesSizesAndFacesTheScreenHasAndRefusesOthers) {
  const auto invalid = ::testing::Throws<runtime::RuntimeError>(
      ::testing::Property(&runtime::RuntimeError::number, runtime::kInvalidPropertyValue));
  EXPECT_THAT([&] { page.SetFontSize(0); }, invalid);
  EXPECT_THAT([&] { page.SetFontSize(kMaxFontPoints + 1); }, invalid);
  EXPECT_THAT([&] { page.SetFontName("No Such Face 4711"); }, invalid);
  EXPECT_EQ(page.FontFace(), kDesignFace);
  EXPECT_DOUBLE_EQ(page.FontPoints(), kDesignPoints);
  const int designHeight = page.LineHeight();
  page.SetFontSize(40);
  EXPECT_GT(page.LineHeight(), designHeight);
  page.SetFontName(ScreenFontNames().back());
  EXPECT_EQ(page.FontFace(), ScreenFontNames().back());
}

}  // namespace
}  // namespace tarvex::platform::win32
