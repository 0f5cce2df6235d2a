// The Qt saver host offscreen: fonts, printing, input, refreshes; the rest end to end.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>

#include "platform/qt/qt_picture_surface.h"
#include "platform/qt/qt_saver_window_host.h"
#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

// Whether rows [top, bottom) of `image` hold anything but black.
bool Lit(const QImage& image, int top, int bottom) {
  QImage black(image.width(), bottom - top, image.format());
  black.fill(Qt::black);
  return image.copy(0, top, image.width(), bottom - top) != black;
}

// A face or a size to set (nullptr, 0: as designed); the font's family and size (0: refused).
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
}

INSTANTIATE_TEST_SUITE_P(Fonts, FontTest,
                         ::testing::Values(FontCase{"ＭＳ Ｐ明朝", 0, "IPAPMincho", 20.4},
                                           FontCase{"ipagothic", 0, "IPAGothic", 20.4},
                                           FontCase{"No Such Face", 0, "IPAPMincho", 0},
                                           FontCase{nullptr, 1000, "IPAPMincho", 1000},
                                           FontCase{nullptr, -1, "IPAPMincho", 0},
                                           FontCase{nullptr, 1001, "IPAPMincho", 0}));

// A line far past the edge, in the fore colour (0xBBGGRR, its high byte
// meaning nothing below the system flag), control characters and broken
// UTF-8, user scales that put lines below the image or span nothing, and a
// negative size.
// The crawl's real frames check the rest of the printing end to end.
TEST(SurfaceTest, PrintsOddLinesInsideTheirRowsAndNothingBelowTheImage) {
  QtPictureSurface page{0, 0, 696, 768, 96};
  const int line = page.LineHeight();
  page.SetForeColor(0x7F0000FF);
  page.PrintLine(std::string(100000, 'W'));
  const QColor edge = page.Image().pixelColor(690, line / 2);
  EXPECT_TRUE(edge.red() > 100 && edge.green() == 0 && edge.blue() == 0);
  page.PrintLine("A\tB\nC\rD\x01" + std::string(3000, '\xE3'));
  EXPECT_TRUE(Lit(page.Image(), line, 2 * line));
  EXPECT_FALSE(Lit(page.Image(), 2 * line, 768)) << "nothing below the lines";
  page.SetScaleHeight(page.CurrentY());
  const QImage before = page.Image().copy();
  page.PrintLine("one");
  EXPECT_EQ(page.Image(), before);
  EXPECT_NEAR(page.CurrentY(), 2 * line + 2 * line * line / 768.0, 0.01);
  page.SetScaleHeight(0);  // an empty message spans nothing
  page.SetCurrentY(10);
  page.PrintLine("x");
  EXPECT_FLOAT_EQ(page.CurrentY(), 10.0f + line) << "a zero scale keeps pixels";
  page.SetWidth(-5);
  EXPECT_EQ(page.Width(), 0) << "a negative size gives an empty surface";
  page.PrintLine("still fine");
}

class MockForm : public platform::SaverWindowEvents {
 public:
  MOCK_METHOD(void, Form_Activate, (), (override));
  MOCK_METHOD(void, tmrStr_Timer, (), (override));
  MOCK_METHOD(void, Form_KeyDown, (std::int16_t, std::int16_t), (override));
  MOCK_METHOD(void, Form_MouseMove, (std::int16_t, std::int16_t, float, float), (override));
  MOCK_METHOD(void, picTARVEX_Click, (std::int16_t), (override));
  MOCK_METHOD(void, picTARVEX_KeyDown, (std::int16_t, std::int16_t, std::int16_t), (override));
  MOCK_METHOD(void, picTARVEX_MouseMove, (std::int16_t, std::int16_t, std::int16_t, float, float),
              (override));
  MOCK_METHOD(void, Form_Unload, (std::int16_t&), (override));
};

class HostTest : public ::testing::Test {
 protected:
  HostTest() { host.Attach(form); }

  QWidget& View() { return *host.Window().findChild<QWidget*>(); }
  static void Send(QWidget& widget, QEvent::Type type, QPointF at = {}) {
    QMouseEvent event(
        type, at, widget.mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton,
        type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
    QApplication::sendEvent(&widget,
                            type == QEvent::KeyPress ? static_cast<QEvent*>(&key) : &event);
  }

  ::testing::NiceMock<MockForm> form;
  QtSaverWindowHost host{QRect(0, 0, 1024, 768), 96, nullptr};
};

// A click is a press and a release on the display; a pointer standing still
// is no move. A run-time error in an event ends the modal show with it.
TEST_F(HostTest, EventsReachTheSurfaceUnderThePointerWithTheirKeysAndPlacesAndErrorsEndTheShow) {
  EXPECT_CALL(form, picTARVEX_MouseMove(1, 0, 0, ::testing::FloatEq(10), ::testing::FloatEq(20)));
  EXPECT_CALL(form, Form_MouseMove(0, 0, ::testing::FloatEq(3), ::testing::FloatEq(4)));
  EXPECT_CALL(form, picTARVEX_KeyDown(1, Qt::Key_A, 1));
  EXPECT_CALL(form, Form_KeyDown(Qt::Key_A, 1));
  EXPECT_CALL(form, picTARVEX_Click(1));
  Send(View(), QEvent::MouseMove, {10, 20});
  Send(View(), QEvent::MouseMove, {10, 20});
  Send(host.Window(), QEvent::MouseMove, View().mapTo(&host.Window(), QPointF(10, 20)));
  Send(host.Window(), QEvent::MouseMove, {3.5, 4});
  Send(View(), QEvent::KeyPress);
  Send(host.Window(), QEvent::KeyPress);
  for (const QPointF release : {QPointF(6, 5), QPointF(-20, 5)}) {
    Send(View(), QEvent::MouseButtonPress, {5, 5});
    Send(View(), QEvent::MouseButtonRelease, release);
  }
  EXPECT_CALL(form, Form_Activate()).WillOnce([] {
    throw runtime::RuntimeError(runtime::kOverflow);
  });
  EXPECT_THROW(host.ShowModal(), runtime::RuntimeError);
}

// A refresh shows the parts that copies drew since the last one, and those
// that a clear emptied; not the black rows and columns around them.
TEST_F(HostTest, ARefreshShowsOnlyWhatChanged) {
  platform::PictureSurface &copy = host.Picture(0), &page = host.Picture(2);
  QtPictureSurface& shown = host.Surface(0);
  page.SetForeColor(0xFFFFFF);
  page.PrintLine("TARVEX TARVEX TARVEX");  // blank from row 40
  copy.Cls();                              // from here on every row's content is known
  copy.Refresh();
  shown.TakeRefreshed();
  ASSERT_TRUE(host.StretchBlt(copy, 100, 100, 300, 40, page, 0, 0, 600, 40, 0xCC0020));
  ASSERT_TRUE(host.StretchBlt(copy, 0, 140, 600, 200, page, 0, 100, 600, 200, 0xCC0020));
  copy.Refresh();
  const QRegion drawn = shown.TakeRefreshed();
  EXPECT_FALSE(drawn.isEmpty());
  EXPECT_TRUE(QRect(100, 100, 300, 40).contains(drawn.boundingRect()))
      << "black drawn black is not shown";
  copy.Cls();
  ASSERT_TRUE(host.StretchBlt(copy, 100, 220, 300, 40, page, 0, 0, 600, 40, 0xCC0020));
  copy.Refresh();
  EXPECT_EQ(shown.TakeRefreshed(), drawn + drawn.translated(0, 120));
  copy.Refresh();
  EXPECT_TRUE(shown.TakeRefreshed().isEmpty());
}

}  // namespace
}  // namespace tarvex::qt

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  ::testing::InitGoogleMock(&argc, argv);
  return RUN_ALL_TESTS();
}
