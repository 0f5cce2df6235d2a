// The Qt picture surface: printing, the user scale, fonts, colours, Cls and
// resizing.

#include "platform/qt/qt_picture_surface.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QGuiApplication>
#include <QPalette>
#include <string>

#include "platform/qt/saver_system_colors.h"
#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

constexpr QRgb kBlack = 0xFF000000u;

// The rows of `image` from `first` on that hold anything but black.
int LitRowsFrom(const QImage& image, int first) {
  int lit = 0;
  for (int y = first; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) != kBlack) {
        ++lit;
        break;
      }
    }
  }
  return lit;
}

class SurfaceTest : public ::testing::Test {
 protected:
  QtPictureSurface page{0, 0, 696, 768, 96};
};

TEST_F(SurfaceTest, DesignFontIsBoldMinchoAtTwentyPointFour) {
  EXPECT_EQ(QFontInfo(page.Font()).family(), "IPAPMincho");
  EXPECT_TRUE(page.Font().bold());
  EXPECT_DOUBLE_EQ(page.Font().pointSizeF(), 20.4);
  EXPECT_GE(page.LineHeight(), 26) << "20.4 points are 27.2 pixels at 96 dots per inch";
  EXPECT_LE(page.LineHeight(), 34);
}

TEST_F(SurfaceTest, PrintLineDrawsInTheForeColourAndMovesOneLineDown) {
  page.SetForeColor(0x0000FF);
  page.SetCurrentX(5);
  page.PrintLine("TEST");
  EXPECT_EQ(page.CurrentX(), 0);
  EXPECT_EQ(page.CurrentY(), static_cast<float>(page.LineHeight()));
  bool red = false;
  for (int y = 0; y < page.LineHeight(); ++y) {
    for (int x = 0; x < 100; ++x) {
      const QColor c = page.Image().pixelColor(x, y);
      red = red || (c.red() > 200 && c.green() < 40 && c.blue() < 40);
    }
  }
  EXPECT_TRUE(red);
  EXPECT_EQ(LitRowsFrom(page.Image(), page.LineHeight()), 0) << "nothing below the line";
}

TEST_F(SurfaceTest, NothingWrapsAndHugeOrOddLinesStayOnTheirLine) {
  page.SetForeColor(0xFFFFFF);
  page.PrintLine(std::string(100000, 'W'));
  page.PrintLine(
      "A\tB\nC\rD\x01"
      "E");
  page.PrintLine(std::string(3000, '\xE3') + "");  // broken UTF-8 prints as replacement marks
  EXPECT_EQ(LitRowsFrom(page.Image(), 3 * page.LineHeight()), 0);
  EXPECT_GT(LitRowsFrom(page.Image(), 0), page.LineHeight());
  EXPECT_EQ(page.Image().pixel(695, page.LineHeight() / 2) != kBlack ||
                page.Image().pixel(690, page.LineHeight() / 2) != kBlack,
            true)
      << "the long line runs to the right edge";
}

TEST_F(SurfaceTest, AfterTheScaleSpansThePrintedBlockTheNextPassLandsBelowThePage) {
  page.SetForeColor(0xFFFFFF);
  for (const char* line : {"one", "two", "three"}) page.PrintLine(line);
  const float block = page.CurrentY();
  page.SetScaleHeight(block);
  EXPECT_FLOAT_EQ(page.ScaleHeight(), block);
  EXPECT_EQ(page.Height(), 768) << "a scale leaves the pixels";
  const QImage before = page.Image().copy();
  for (const char* line : {"one", "two", "three"}) page.PrintLine(line);
  EXPECT_EQ(page.Image(), before);
  EXPECT_NEAR(page.CurrentY(), block + 3 * block * page.LineHeight() / 768.0, 0.01);
}

TEST_F(SurfaceTest, AZeroScaleKeepsPositionsInPixels) {
  page.SetScaleHeight(0);
  page.SetCurrentY(10);
  page.SetForeColor(0xFFFFFF);
  page.PrintLine("x");
  EXPECT_FLOAT_EQ(page.CurrentY(), 10.0f + static_cast<float>(page.LineHeight()));
  EXPECT_EQ(LitRowsFrom(page.Image(), 0), LitRowsFrom(page.Image(), 10));
}

struct SizeCase {
  float points;
  bool accepted;
};

class FontSizeTest : public SurfaceTest, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(FontSizeTest, RefusedSizesRaiseAndLeaveTheFont) {
  if (GetParam().accepted) {
    page.SetFontSize(GetParam().points);
    EXPECT_DOUBLE_EQ(page.Font().pointSizeF(), GetParam().points);
  } else {
    EXPECT_THROW(page.SetFontSize(GetParam().points), runtime::RuntimeError);
    EXPECT_DOUBLE_EQ(page.Font().pointSizeF(), 20.4);
  }
}

INSTANTIATE_TEST_SUITE_P(Sizes, FontSizeTest,
                         ::testing::Values(SizeCase{1, true}, SizeCase{12, true},
                                           SizeCase{1000, true}, SizeCase{0, false},
                                           SizeCase{-1, false}, SizeCase{1001, false},
                                           SizeCase{32767, false}));

struct FaceCase {
  const char* face;
  const char* family;  // nullptr: refused
};

class FontFaceTest : public SurfaceTest, public ::testing::WithParamInterface<FaceCase> {};

TEST_P(FontFaceTest, DesktopFacesMapToTheIpaFontsAndUnknownOnesAreRefused) {
  if (GetParam().family != nullptr) {
    page.SetFontName(GetParam().face);
    EXPECT_EQ(QFontInfo(page.Font()).family(), QString::fromUtf8(GetParam().family));
  } else {
    EXPECT_THROW(page.SetFontName(GetParam().face), runtime::RuntimeError);
    EXPECT_EQ(QFontInfo(page.Font()).family(), "IPAPMincho");
  }
  EXPECT_TRUE(page.Font().bold());
}

INSTANTIATE_TEST_SUITE_P(Faces, FontFaceTest,
                         ::testing::Values(FaceCase{"ＭＳ Ｐ明朝", "IPAPMincho"},
                                           FaceCase{"ＭＳ 明朝", "IPAMincho"},
                                           FaceCase{"ＭＳ Ｐゴシック", "IPAPGothic"},
                                           FaceCase{"MS UI Gothic", "IPAPGothic"},
                                           FaceCase{"ＭＳ ゴシック", "IPAGothic"},
                                           FaceCase{"ipagothic", "IPAGothic"},
                                           FaceCase{"No Such Face", nullptr}, FaceCase{"", nullptr},
                                           FaceCase{"   ", nullptr}));

struct ColorCase {
  platform::OleColor ole;
  QColor expected;
};

class OleColorTest : public ::testing::TestWithParam<ColorCase> {};

TEST_P(OleColorTest, MapsPlainAndSystemColours) {
  EXPECT_EQ(ColorFromOle(GetParam().ole), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colors, OleColorTest,
    ::testing::Values(
        ColorCase{0x0000FF, QColor(255, 0, 0)}, ColorCase{0xFF0000, QColor(0, 0, 255)},
        ColorCase{0x123456, QColor(0x56, 0x34, 0x12)},
        ColorCase{0x7F123456, QColor(0x56, 0x34, 0x12)},
        ColorCase{0x80000005, QGuiApplication::palette().color(QPalette::Active, QPalette::Base)},
        ColorCase{0x80000008, QGuiApplication::palette().color(QPalette::Active, QPalette::Text)},
        ColorCase{0x80000011, QGuiApplication::palette().color(QPalette::Disabled, QPalette::Text)},
        ColorCase{0x80000019, QColor(Qt::black)}, ColorCase{0x800000FF, QColor(Qt::black)}));

TEST_F(SurfaceTest, ClsBlanksTheImageAndHomesThePrintPosition) {
  page.SetForeColor(0xFFFFFF);
  page.PrintLine("text");
  page.Cls();
  EXPECT_EQ(LitRowsFrom(page.Image(), 0), 0);
  EXPECT_EQ(page.CurrentY(), 0);
  EXPECT_THAT(page.Rows(), ::testing::Each(::testing::Property(&RowState::Clean, true)));
}

TEST_F(SurfaceTest, ResizingKeepsTheTopLeftAndBlanksNewArea) {
  page.SetForeColor(0xFFFFFF);
  page.PrintLine("WWWW");
  const QImage before = page.Image().copy(0, 0, 100, page.LineHeight());
  page.SetWidth(800);
  page.SetHeight(1000);
  EXPECT_EQ(page.Width(), 800);
  EXPECT_EQ(page.Height(), 1000);
  EXPECT_EQ(page.Image().copy(0, 0, 100, page.LineHeight()), before);
  EXPECT_EQ(LitRowsFrom(page.Image(), 768), 0);
  page.SetWidth(-5);
  EXPECT_EQ(page.Width(), 0) << "a negative size gives an empty surface";
  page.PrintLine("still fine");
  page.Cls();
}

TEST_F(SurfaceTest, SpansFollowWhatIsPrinted) {
  page.SetForeColor(0xFFFFFF);
  EXPECT_EQ(page.Spans().RowBegin(10), page.Spans().RowEnd(10));
  page.PrintLine("WWW");
  EXPECT_NE(page.Spans().RowBegin(page.LineHeight() / 2),
            page.Spans().RowEnd(page.LineHeight() / 2));
  EXPECT_EQ(page.Spans().RowBegin(700), page.Spans().RowEnd(700));
}

}  // namespace
}  // namespace tarvex::qt
