// The Qt window host: input routing, errors ending the modal show, and the
// rows a refresh shows. The end-to-end tests drive its unload guard.

#include "platform/qt/qt_saver_window_host.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

#include "runtime/runtime_error.h"

namespace tarvex::qt {
namespace {

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
// is no move.
TEST_F(HostTest, EventsReachTheSurfaceUnderThePointerWithTheirKeysAndPlaces) {
  EXPECT_CALL(form, picTARVEX_MouseMove(1, 0, 0, FloatEq(10), FloatEq(20)));
  EXPECT_CALL(form, Form_MouseMove(0, 0, FloatEq(3), FloatEq(4)));
  EXPECT_CALL(form, picTARVEX_KeyDown(1, Qt::Key_A, 1));
  EXPECT_CALL(form, Form_KeyDown(Qt::Key_A, 1));
  EXPECT_CALL(form, picTARVEX_Click(1)).Times(1);
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
  Send(host.Window(), QEvent::MouseButtonPress, {1, 1});
  Send(host.Window(), QEvent::MouseButtonRelease, {1, 1});
}

TEST_F(HostTest, ARuntimeErrorInAnEventEndsTheModalShowWithThatError) {
  EXPECT_CALL(form, Form_Activate()).WillOnce([] {
    throw runtime::RuntimeError(runtime::kOverflow);
  });
  EXPECT_THAT([this] { host.ShowModal(); },
              ::testing::Throws<runtime::RuntimeError>(
                  ::testing::Property(&runtime::RuntimeError::number, runtime::kOverflow)));
}

// A refresh shows the parts that copies drew since the last one, and those
// that a clear emptied; not the black rows and columns around them.
TEST_F(HostTest, ARefreshShowsOnlyWhatChanged) {
  platform::PictureSurface &copy = host.Picture(0), &page = host.Picture(2);
  QtPictureSurface& shown = host.Surface(0);
  page.SetForeColor(0xFFFFFF);
  page.PrintLine("TARVEX TARVEX TARVEX");  // blank from row 40
  const QRect all(0, 0, int(copy.Width()), int(copy.Height()));
  const QRect band(100, 100, 300, 40);
  copy.Refresh();
  EXPECT_EQ(shown.TakeRefreshed(), QRegion(all)) << "a new surface is shown whole";
  copy.Cls();  // from here on every row's content is known
  copy.Refresh();
  shown.TakeRefreshed();
  ASSERT_TRUE(host.StretchBlt(copy, 100, 100, 300, 40, page, 0, 0, 600, 40, 0xCC0020));
  ASSERT_TRUE(host.StretchBlt(copy, 0, 140, 600, 200, page, 0, 100, 600, 200, 0xCC0020));
  copy.Refresh();
  const QRegion drawn = shown.TakeRefreshed();
  EXPECT_FALSE(drawn.isEmpty());
  EXPECT_TRUE(band.contains(drawn.boundingRect())) << "black drawn black is not shown";
  copy.Cls();
  ASSERT_TRUE(host.StretchBlt(copy, 100, 220, 300, 40, page, 0, 0, 600, 40, 0xCC0020));
  copy.Refresh();
  EXPECT_EQ(shown.TakeRefreshed(), drawn + drawn.translated(0, 120));
  copy.Refresh();
  EXPECT_TRUE(shown.TakeRefreshed().isEmpty());
}

}  // namespace
}  // namespace tarvex::qt
