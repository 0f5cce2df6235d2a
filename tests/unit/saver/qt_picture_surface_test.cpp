// The Qt picture surface: fonts, colours, printing, the user scale, Cls and
// resizing.

#include "platform/qt/qt_picture_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>

#include "platform/qt/saver_system_colors.h"
#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

// Whether rows [top, bottom) of `image` hold anything but black.
bool Lit(const QImage& image, int top, int bottom) {
  QImage part = image.copy(0, top, image.width(), bottom - top);
  const QImage drawn = part;
  part.fill(Qt::black);
  return drawn != part;
}

// A face or a size to set (nullptr, 0: left as designed), the family and
// the size the font then has (0: refused, the design font stays).
using FontCase = std::tuple<const char*, float, const char*, double>;

class FontTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontTest, DesktopFacesMapToTheIpaFontsAndRefusalsLeaveTheFont) {
  const auto [face, points, family, size] = GetParam();
  QtPictureSurface page(0, 0, 100, 100, 96);
  try {
    if (face != nullptr) page.SetFontName(face);
    if (points != 0) page.SetFontSize(points);
    EXPECT_NE(size, 0) << "accepted";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(size, 0) << "refused";
    EXPECT_EQ(error.number(), runtime::kInvalidPropertyValue);
  }
  EXPECT_EQ(QFontInfo(page.Font()).family(), family);
  EXPECT_DOUBLE_EQ(page.Font().pointSizeF(), size != 0 ? size : 20.4);
  EXPECT_TRUE(page.Font().bold());
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontTest,
                         ::testing::Values(FontCase{"ＭＳ Ｐ明朝", 0, "IPAPMincho", 20.4},
                                           FontCase{"ipagothic", 0, "IPAGothic", 20.4},
                                           FontCase{"No Such Face", 0, "IPAPMincho", 0},
                                           FontCase{nullptr, 1000, "IPAPMincho", 1000},
                                           FontCase{nullptr, -1, "IPAPMincho", 0},
                                           FontCase{nullptr, 1001, "IPAPMincho", 0}));

// A colour from the settings file may name a system colour the table lacks.
TEST(OleColorTest, SystemColoursByIndexAndBlackPastTheLastOne) {
  const QPalette palette = QGuiApplication::palette();
  EXPECT_EQ(ColorFromOle(0x80000005), palette.color(QPalette::Active, QPalette::Base));
  EXPECT_EQ(ColorFromOle(0x80000019), QColor(Qt::black));
}

// The page as the crawl uses it: a pass of lines in the fore colour (0xBBGGRR,
// its high byte meaning nothing below the system flag), a scale spanning
// them so that the second pass lands below the image, then a clear.
TEST(SurfaceTest, PrintsPassesOfLinesBelowEachOtherAndClsAndResizingLeaveNothingBehind) {
  QtPictureSurface page{0, 0, 696, 768, 96};
  const int line = page.LineHeight();
  EXPECT_TRUE(line >= 26 && line <= 34) << "20.4 points are 27.2 pixels at 96 dots per inch";
  page.SetForeColor(0x7F0000FF);
  page.SetCurrentX(5);
  page.PrintLine(std::string(100000, 'W'));
  EXPECT_EQ(page.CurrentX(), 0);
  const QColor edge = page.Image().pixelColor(690, line / 2);  // the line runs past the edge
  EXPECT_TRUE(edge.red() > 100 && edge.green() == 0 && edge.blue() == 0)
      << edge.name().toStdString();
  page.PrintLine("A\tB\nC\rD\x01" + std::string(3000, '\xE3'));  // broken UTF-8 too
  EXPECT_TRUE(Lit(page.Image(), line, 2 * line));
  EXPECT_FALSE(Lit(page.Image(), 2 * line, 768)) << "nothing below the lines";
  EXPECT_NE(page.Spans().RowBegin(line / 2), page.Spans().RowEnd(line / 2));
  EXPECT_EQ(page.Spans().RowBegin(700), page.Spans().RowEnd(700));
  page.SetScaleHeight(page.CurrentY());
  EXPECT_EQ(page.Height(), 768) << "a scale leaves the pixels";
  const QImage before = page.Image().copy();
  page.PrintLine("one");
  page.PrintLine("two");
  EXPECT_EQ(page.Image(), before);
  EXPECT_NEAR(page.CurrentY(), 2 * line + 2 * 2 * line * line / 768.0, 0.01);
  page.SetHeight(1000);
  EXPECT_EQ(page.Image().copy(0, 0, 696, 768), before) << "resizing keeps the top left";
  EXPECT_FALSE(Lit(page.Image(), 768, 1000));
  page.SetScaleHeight(0);  // an empty message spans nothing
  page.SetCurrentY(10);
  page.PrintLine("x");
  EXPECT_FLOAT_EQ(page.CurrentY(), 10.0f + line) << "a zero scale keeps pixels";
  page.Cls();
  EXPECT_FALSE(Lit(page.Image(), 0, 1000));
  EXPECT_EQ(page.CurrentY(), 0);
  EXPECT_THAT(page.Rows(), ::testing::Each(::testing::Property(&pixels::RowState::Clean, true)));
  page.SetWidth(-5);
  EXPECT_EQ(page.Width(), 0) << "a negative size gives an empty surface";
  page.PrintLine("still fine");
}

}  // namespace
}  // namespace tarvex::qt
