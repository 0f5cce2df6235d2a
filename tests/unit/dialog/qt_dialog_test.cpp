// FormIni in its real Qt window, offscreen: the controls' places, the keys, the choosers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "dialog/FormIni.h"
#include "dialog/layout.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_dialog_choosers.h"
#include "platform/qt/qt_dialog_window_host.h"
#include "platform/qt/screen_fonts.h"
#include "runtime/twips.h"
#include "settings/basSysAPI.h"
#include "startup/shared_state.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"

namespace tarvex::testing {
namespace {

qt::QtDesktop& QtDesktopForTests() {
  static int argc = 1;
  static char name[] = "tarvex_dialog_qt_tests";
  static char* argv[] = {name, nullptr};
  static qt::QtDesktop* instance =
      (::setenv("QT_QPA_PLATFORM", "offscreen", 1), new qt::QtDesktop(argc, argv));
  return *instance;
}

// Runs `step` from the event loop that is running (or starts) next.
void Soon(std::function<void()> step) {
  QTimer::singleShot(0, qApp, std::move(step));
}

template <class Window>
Window* TopModal() {
  return qobject_cast<Window*>(QApplication::activeModalWidget());
}

template <class Widget = QWidget>
Widget* Control(QDialog& dialog, std::string_view name) {
  auto* control = dialog.findChild<Widget*>(QString::fromUtf8(name.data(), qsizetype(name.size())));
  EXPECT_NE(control, nullptr) << "no control " << name;
  return control;
}

class QtDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { QtDesktopForTests().EnsureApplication(); }

  QtDialogTest() {
    state.IniPath = dir.File("tarvex.ini");
    desktop.fonts = qt::QtScreenFontNames();
    desktop.dialog_host_factory = [] { return qt::CreateQtDialogWindowHost(QtDesktopForTests()); };
  }

  // Opens the dialog as Main does and runs `user` once it is shown. A watchdog
  // closes a window left open, so that a broken test fails instead of hanging.
  void Run(std::function<void(QDialog&)> user) {
    dialog::FormIni form(state, desktop);
    Soon([user = std::move(user)] {
      auto* window = TopModal<QDialog>();
      ASSERT_TRUE(window != nullptr && window->objectName() == "FormIni");
      user(*window);
    });
    bool left_open = false;
    QTimer watchdog;
    QObject::connect(&watchdog, &QTimer::timeout, [&left_open] {
      if (QWidget* open = QApplication::activeModalWidget()) left_open = open->close();
    });
    watchdog.start(5000);
    form.ShowModal();
    EXPECT_FALSE(left_open) << "the test left a window open";
  }

  TempDir dir;
  basKORVAN::SharedState state;
  FakeDesktop desktop;
};

// The frame cannot be resized; the controls stand where the design puts
// them, inside their frame. Enter on a list or a box does nothing (on the
// buttons: the end-to-end test). The choosers pick; a cancel picks nothing.
TEST_F(QtDialogTest, ControlsAtTheirDesignPlacesOnlyButtonsTakeEnterAndChoosersPickWhatIsSaved) {
  const std::string chosen = dir.Write("notes.log", "x");
  state.Settings.MessageFile = "/kept.txt";
  state.Settings.FontColor = "128";
  Run([&](QDialog& dialog) {
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    const auto px = [](int twips) { return runtime::TwipsToPixels(twips, 96); };
    for (const dialog::ControlDesign& design : dialog::kControls) {
      QWidget* control = Control(dialog, design.name);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->geometry(),
                QRect(px(design.left), px(design.top), px(design.width), px(design.height)))
          << design.name;
      EXPECT_EQ(control->parentWidget()->objectName(),
                design.container == dialog::Container::kFrame2 ? "Frame2" : "FormIni");
    }
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    for (const char* name : {"cmbFont", "txtFile"}) {
      Control(dialog, name)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    EXPECT_TRUE(dialog.isVisible());
    Soon([] { TopModal<QFileDialog>()->reject(); });
    Control<QPushButton>(dialog, "cmdSansyo")->click();
    Soon([] { TopModal<QColorDialog>()->reject(); });
    QTest::mouseClick(Control(dialog, "lblCol"), Qt::LeftButton);
    EXPECT_EQ(Control<QLineEdit>(dialog, "txtFile")->text(), "/kept.txt");
    auto* swatch = Control<QLabel>(dialog, "lblCol");
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(128, 0, 0));
    Soon([&] {
      auto* chooser = TopModal<QFileDialog>();
      chooser->selectFile(QString::fromStdString(chosen));
      QMetaObject::invokeMethod(chooser, "accept");  // as its Open button does
    });
    Control<QPushButton>(dialog, "cmdSansyo")->click();
    Soon([] {
      TopModal<QColorDialog>()->setCurrentColor(QColor(1, 2, 3));  // 1 + 256 * 2 + 65536 * 3
      TopModal<QColorDialog>()->accept();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    Control<QPushButton>(dialog, "cmdOK")->click();
  });
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "FILE", 200, state.IniPath), chosen);
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "FONTCOLOR", 200, state.IniPath), "197121");
  EXPECT_EQ(qt::NameFilterOf({"Text", "*.txt;*.log"}), "Text (*.txt *.log)");
}

}  // namespace
}  // namespace tarvex::testing
