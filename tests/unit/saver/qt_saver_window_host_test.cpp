// The Qt window host: design layout, input routing, the unload guard, the
// modal show, and the whole crawl drawn offscreen through frmKORVAN.

#include "platform/qt/qt_saver_window_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>
#include <cmath>

#include "platform/qt/qt_saver_offscreen_desktop.h"
#include "runtime/runtime_error.h"
#include "saver/frmKORVAN.h"

namespace tarvex::qt {
namespace {

using ::testing::_;
using ::testing::Eq;
using ::testing::FloatEq;

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

  static void Move(QWidget& widget, QPointF at) {
    QMouseEvent event(QEvent::MouseMove, at, widget.mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
  }
  static void Button(QWidget& widget, QEvent::Type type, QPointF at) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), Qt::LeftButton,
                      type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                      Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
  }
  static void Key(QWidget& widget) {
    QKeyEvent event(QEvent::KeyPress, Qt::Key_A, Qt::ShiftModifier, "A");
    QApplication::sendEvent(&widget, &event);
  }

  ::testing::StrictMock<MockForm> form;
  QtSaverWindowHost host{QRect(0, 0, 1024, 768), 96, nullptr};
};

TEST_F(HostTest, SurfacesStartAtTheirDesignLayout) {
  EXPECT_EQ(host.ScaleWidth(), 1024);
  EXPECT_EQ(host.ScaleHeight(), 768);
  struct Expected {
    float left, top, width, height;
  };
  const Expected expected[] = {{84, 20, 600, 300}, {8, 56, 696, 301}, {0, 0, 696, 301}};
  for (int i = 0; i < 3; ++i) {
    platform::PictureSurface& surface = host.Picture(i);
    EXPECT_EQ(surface.Left(), expected[i].left) << i;
    EXPECT_EQ(surface.Top(), expected[i].top) << i;
    EXPECT_EQ(surface.Width(), expected[i].width) << i;
    EXPECT_EQ(surface.Height(), expected[i].height) << i;
  }
  EXPECT_EQ(host.Timer().Interval(), 100);
  EXPECT_FALSE(host.Timer().Enabled());
}

// Copies wait in a queue: they show once the picture is read, a clear wipes
// them, and a copy that reads or overwrites what a waiting one touches sees
// the pictures as if each had been drawn at once.
class QueuedCopyTest : public HostTest {
 protected:
  QueuedCopyTest() {
    Page().SetForeColor(0xFFFFFF);
    Page().PrintLine("TARVEX TARVEX TARVEX");
  }

  platform::PictureSurface& Copy() { return host.Picture(0); }
  platform::PictureSurface& Display() { return host.Picture(1); }
  platform::PictureSurface& Page() { return host.Picture(2); }

  // Copies 40 rows of `source` from row `sourceY` onto `dest` from `destY`.
  // The page is blank from row 250.
  void CopyRows(platform::PictureSurface& dest, int destY, platform::PictureSurface& source,
                int sourceY) {
    ASSERT_TRUE(
        host.StretchBlt(dest, 0, destY, 600, 40, source, 0, sourceY, 600, 40, platform::kSrcCopy));
  }

  // Whether rows [top, top + 40) of picture `index` hold anything but black.
  bool Lit(int index, int top = 0) {
    const QImage& image = host.Surface(index).Image();
    for (int y = top; y < top + 40; ++y) {
      for (int x = 0; x < 600; ++x) {
        if (image.pixel(x, y) != 0xFF000000u) return true;
      }
    }
    return false;
  }
};

TEST_F(QueuedCopyTest, ACopyShowsWhenReadAndAClearWipesIt) {
  CopyRows(Display(), 0, Page(), 0);
  EXPECT_TRUE(Lit(1));
  CopyRows(Display(), 0, Page(), 0);
  Display().Cls();
  EXPECT_FALSE(Lit(1));
}

TEST_F(QueuedCopyTest, ACopyFromACopyReadsWhatTheFirstOneWrote) {
  CopyRows(Copy(), 0, Page(), 0);
  CopyRows(Display(), 0, Copy(), 0);
  EXPECT_TRUE(Lit(1));
}

// The display's rows lie below the copy's: drawn by rows, the overwrite
// would come first.
TEST_F(QueuedCopyTest, OverwritingASourceWaitsForTheCopiesThatReadIt) {
  CopyRows(Copy(), 0, Page(), 0);
  CopyRows(Display(), 200, Copy(), 0);
  CopyRows(Copy(), 0, Page(), 250);
  EXPECT_FALSE(Lit(0));
  EXPECT_TRUE(Lit(1, 200));
}

TEST_F(HostTest, TheDisplayViewFollowsItsSurface) {
  host.Picture(1).SetLeft(100);
  host.Picture(1).SetTop(100);
  host.Picture(1).SetWidth(824);
  host.Picture(1).SetHeight(568);
  EXPECT_EQ(View().geometry(), QRect(100, 100, 824, 568));
}

TEST_F(HostTest, MovesReachTheSurfaceUnderThePointerInItsOwnWholePixels) {
  EXPECT_CALL(form, picTARVEX_MouseMove(1, 0, 0, FloatEq(10), FloatEq(20)));
  EXPECT_CALL(form, Form_MouseMove(0, 0, FloatEq(3), FloatEq(4)));
  Move(View(), QPointF(10.7, 20.2));
  Move(host.Window(), QPointF(3.5, 4));
}

TEST_F(HostTest, EventsOfAPointerStandingStillAreNoMoves) {
  EXPECT_CALL(form, picTARVEX_MouseMove(1, 0, 0, FloatEq(10), FloatEq(20))).Times(1);
  EXPECT_CALL(form, Form_MouseMove(_, _, _, _)).Times(0);
  Move(View(), QPointF(10, 20));
  Move(View(), QPointF(10, 20));
  Move(host.Window(), View().mapTo(&host.Window(), QPointF(10, 20)));
}

TEST_F(HostTest, KeysGoToTheDisplayOnlyWhileItHasTheFocus) {
  EXPECT_CALL(form, picTARVEX_KeyDown(1, Eq(Qt::Key_A), 1));
  Key(View());
  EXPECT_CALL(form, Form_KeyDown(Eq(Qt::Key_A), 1));
  Key(host.Window());
}

TEST_F(HostTest, AClickIsAPressAndAReleaseOnTheDisplay) {
  EXPECT_CALL(form, picTARVEX_Click(1)).Times(1);
  Button(View(), QEvent::MouseButtonPress, QPointF(5, 5));
  Button(View(), QEvent::MouseButtonRelease, QPointF(6, 5));
  Button(View(), QEvent::MouseButtonPress, QPointF(5, 5));
  Button(View(), QEvent::MouseButtonRelease, QPointF(-20, 5));
  Button(host.Window(), QEvent::MouseButtonPress, QPointF(1, 1));
  Button(host.Window(), QEvent::MouseButtonRelease, QPointF(1, 1));
}

TEST_F(HostTest, AnUnloadRequestAsksTheFormEachTime) {
  EXPECT_CALL(form, Form_Unload(_))
      .WillOnce([](std::int16_t& cancel) { cancel = -1; })
      .WillOnce([](std::int16_t& cancel) { EXPECT_EQ(cancel, 0); });
  host.RequestUnload();
  host.RequestUnload();
  host.RequestUnload();  // closed: nothing more to ask
}

TEST_F(HostTest, TheModalShowActivatesTicksAndEndsWhenTheFormLetsGo) {
  host.Timer().SetInterval(0);
  int ticks = 0;
  EXPECT_CALL(form, Form_Activate()).WillOnce([this] { host.Timer().SetEnabled(true); });
  EXPECT_CALL(form, tmrStr_Timer()).WillRepeatedly([&] {
    if (++ticks == 3) host.RequestUnload();
  });
  EXPECT_CALL(form, Form_Unload(_));
  EXPECT_CALL(form, picTARVEX_MouseMove(_, _, _, _, _)).Times(::testing::AnyNumber());
  EXPECT_CALL(form, Form_MouseMove(_, _, _, _)).Times(::testing::AnyNumber());
  host.ShowModal();
  EXPECT_EQ(ticks, 3);
  EXPECT_FALSE(host.Timer().Enabled());
  EXPECT_FALSE(host.Window().isVisible());
}

TEST_F(HostTest, ARuntimeErrorInAnEventEndsTheModalShowWithThatError) {
  EXPECT_CALL(form, Form_Activate()).WillOnce([] {
    throw runtime::RuntimeError(runtime::kOverflow);
  });
  EXPECT_CALL(form, picTARVEX_MouseMove(_, _, _, _, _)).Times(::testing::AnyNumber());
  EXPECT_CALL(form, Form_MouseMove(_, _, _, _)).Times(::testing::AnyNumber());
  try {
    host.ShowModal();
    FAIL() << "the error was lost";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kOverflow);
  }
}

// The real form on the offscreen host: what the frames show.
class OffscreenCrawlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    state.Settings.FontColor = "16777215";
    // Full-width blocks light every pixel of the page's first lines.
    std::string blocks;
    for (int i = 0; i < 40; ++i) blocks += "█";
    state.MessageLines = {"", blocks, blocks};
    state.LineCount = 2;
    form.SetTimerInterval(25);
    form.Form_Activate();
  }

  const QImage& Display() { return desktop.Host()->Surface(1).Image(); }

  // The highest display row with a lit pixel, or -1.
  int TopLitRow() {
    for (int y = 0; y < Display().height(); ++y) {
      for (int x = 0; x < Display().width(); ++x) {
        if (Display().pixel(x, y) != 0xFF000000u) return y;
      }
    }
    return -1;
  }

  OffscreenSaverDesktop desktop{QSize(1024, 768)};
  basKORVAN::SharedState state;
  saver::frmKORVAN form{state, desktop};
};

TEST_F(OffscreenCrawlTest, FirstTickBlackSecondShowsTheFirstRowOnTheBottomRow) {
  form.tmrStr_Timer();
  EXPECT_EQ(TopLitRow(), -1);
  form.tmrStr_Timer();
  EXPECT_EQ(TopLitRow(), 567);
  EXPECT_NE(Display().pixel(0, 567), 0xFF000000u) << "starts at x 0";
  EXPECT_EQ(Display().pixel(823, 567), 0xFF000000u) << "one pixel narrower than the display";
}

TEST_F(OffscreenCrawlTest, TheTextRisesOnePixelPerTickInsideTheTaper) {
  for (int i = 0; i < 300; ++i) form.tmrStr_Timer();
  const int top = TopLitRow();
  EXPECT_EQ(top, 568 - 299);
  for (int y = 0; y < Display().height(); ++y) {
    const int band = 568 - y;  // rows above the bottom edge: the band's d, give or take 2
    const int left = static_cast<int>(std::nearbyint(band / 2.0)) - 2;
    const int right = 824 - band / 2 + 2;
    for (int x = 0; x < Display().width(); ++x) {
      if (Display().pixel(x, y) == 0xFF000000u) continue;
      ASSERT_TRUE(x >= left && x < right) << "lit pixel outside the taper at " << x << "," << y;
    }
  }
  form.tmrStr_Timer();
  EXPECT_EQ(TopLitRow(), top - 1);
}

TEST_F(OffscreenCrawlTest, TheScreenIsTheDisplayInsideABlackMargin) {
  form.tmrStr_Timer();
  form.tmrStr_Timer();
  const QImage screen = desktop.Host()->GrabScreen();
  EXPECT_EQ(screen.size(), QSize(1024, 768));
  EXPECT_NE(screen.pixel(100, 667), 0xFF000000u);
  EXPECT_EQ(screen.pixel(99, 667), 0xFF000000u);
  EXPECT_EQ(screen.pixel(100, 668), 0xFF000000u);
}

}  // namespace
}  // namespace tarvex::qt
