#pragma once
// FormIni in its real Qt window on the offscreen platform. The test's user
// script runs once the dialog is up; a watchdog closes any window left open
// so that a broken test fails instead of hanging.

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "dialog/FormIni.h"
#include "platform/qt/qt_desktop.h"
#include "platform/qt/qt_dialog_window_host.h"
#include "platform/qt/screen_fonts.h"
#include "startup/shared_state.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/dialog/file_bytes.h"

namespace tarvex::testing {

// Runs `step` from the event loop that is running (or starts) next.
inline void Soon(std::function<void()> step) {
  QTimer::singleShot(0, qApp, std::move(step));
}

// The modal window on top, as the given type, or null.
template <class Window>
Window* TopModal() {
  return qobject_cast<Window*>(QApplication::activeModalWidget());
}

template <class Widget>
Widget* Control(QDialog& dialog, const char* name) {
  auto* control = dialog.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << "no control " << name;
  return control;
}

class QtDialogFixture : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { QtDesktopForTests().EnsureApplication(); }

  QtDialogFixture() {
    state.IniPath = dir.File("tarvex.ini");
    state.Settings.TimerInterval = 25;
    desktop.fonts = qt::QtScreenFontNames();
    desktop.dialog_host_factory = [] { return qt::CreateQtDialogWindowHost(QtDesktopForTests()); };
  }

  // Opens the dialog as Main does and runs `user` once it is shown.
  void Run(std::function<void(QDialog&)> user) {
    dialog::FormIni form(state, desktop);
    Soon([user = std::move(user)] {
      auto* window = TopModal<QDialog>();
      ASSERT_NE(window, nullptr);
      ASSERT_EQ(window->objectName(), "FormIni");
      user(*window);
    });
    bool timed_out = false;
    QTimer watchdog;
    watchdog.setInterval(5000);
    QObject::connect(&watchdog, &QTimer::timeout, [&timed_out] {
      if (QWidget* open = QApplication::activeModalWidget()) {
        timed_out = true;
        open->close();
      }
    });
    watchdog.start();
    form.ShowModal();
    EXPECT_FALSE(timed_out) << "the test left a window open";
  }

  std::string Ini() const { return ReadBytes(state.IniPath).value_or("<no file>"); }

  TempDir dir;
  basKORVAN::SharedState state;
  FakeDesktop desktop;

 private:
  static qt::QtDesktop& QtDesktopForTests() {
    static int argc = 1;
    static char name[] = "tarvex_dialog_qt_tests";
    static char* argv[] = {name, nullptr};
    static qt::QtDesktop* instance = [] {
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      return new qt::QtDesktop(argc, argv);
    }();
    return *instance;
  }
};

}  // namespace tarvex::testing
