// FormIni in its real Qt window on the offscreen platform: the frame, the
// controls' places, texts and focus order, the keys, and the real choosers.

#include <gtest/gtest.h>

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

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
  static qt::QtDesktop* instance = [] {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return new qt::QtDesktop(argc, argv);
  }();
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
Widget* Control(QDialog& dialog, const char* name) {
  auto* control = dialog.findChild<Widget*>(QString::fromLatin1(name));
  EXPECT_NE(control, nullptr) << "no control " << name;
  return control;
}

void Cancel(QDialog& dialog) {
  Control<QPushButton>(dialog, "cmdEXIT")->click();
}

class QtDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { QtDesktopForTests().EnsureApplication(); }

  QtDialogTest() {
    state.IniPath = dir.File("tarvex.ini");
    state.Settings.TimerInterval = 25;
    desktop.fonts = qt::QtScreenFontNames();
    desktop.dialog_host_factory = [] { return qt::CreateQtDialogWindowHost(QtDesktopForTests()); };
  }

  // Opens the dialog as Main does and runs `user` once it is shown. A watchdog
  // closes a window left open, so that a broken test fails instead of hanging.
  void Run(std::function<void(QDialog&)> user) {
    dialog::FormIni form(state, desktop);
    Soon([user = std::move(user)] {
      auto* window = TopModal<QDialog>();
      ASSERT_NE(window, nullptr);
      ASSERT_EQ(window->objectName(), "FormIni");
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
  std::string Stored(const char* key) const {
    return basSysAPI::ReadIniValue("TARVEX", key, 200, state.IniPath);
  }

  TempDir dir;
  basKORVAN::SharedState state;
  FakeDesktop desktop;
};

// The design's twips at 96 dpi.
QRect Pixels(const dialog::ControlDesign& design) {
  const auto px = [](int twips) { return runtime::TwipsToPixels(twips, 96); };
  return {px(design.left), px(design.top), px(design.width), px(design.height)};
}

TEST_F(QtDialogTest, FixedFrameWithEveryControlAtItsPlaceInTheDesignFontAndTheSwatchInMenuText) {
  Run([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("ソラリオン風メッセージスクリーンセーバー") +
                                        QChar(0x3000) + QString::fromUtf8("設定"));
    EXPECT_EQ(dialog.size(), QSize(377, 166));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.windowFlags() &
                 (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    for (const dialog::ControlDesign& design : dialog::kControls) {
      SCOPED_TRACE(design.name);
      QWidget* control = Control(dialog, std::string(design.name).c_str());
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->geometry(), Pixels(design));
      EXPECT_EQ(control->parentWidget()->objectName(),
                design.container == dialog::Container::kFrame2 ? "Frame2" : "FormIni");
      const char* property = control->inherits("QGroupBox") ? "title" : "text";
      if (design.kind != dialog::ControlKind::kList) {
        EXPECT_EQ(control->property(property).toString(),
                  QString::fromUtf8(design.text.data(), design.text.size()));
      }
      EXPECT_EQ(QFontInfo(control->font()).family(), "IPAPGothic");
      EXPECT_EQ(control->font().pointSize(), 9);
      EXPECT_EQ(control->font().weight(), QFont::Normal);
      const auto* button = qobject_cast<QPushButton*>(control);
      EXPECT_FALSE(button && (button->isDefault() || button->autoDefault())) << "a default button";
      const auto* list = qobject_cast<QComboBox*>(control);
      EXPECT_FALSE(list && list->isEditable());
    }
    EXPECT_EQ(Control<QLabel>(dialog, "lblCol")->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(Control(dialog, "lblCol")->focusPolicy(), Qt::NoFocus);
    EXPECT_EQ(Control(dialog, "lblCol")->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Active, QPalette::WindowText))
        << "the swatch starts with the menu text colour";
    Cancel(dialog);
  });
}

TEST_F(QtDialogTest, FocusStartsOnSaveAndTabFollowsTheDesignOrder) {
  std::vector<QString> visited;
  Run([&visited](QDialog& dialog) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    visited.push_back(QApplication::focusWidget()->objectName());
    for (int i = 0; i < 9; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(QApplication::focusWidget()->objectName());
    }
    Cancel(dialog);
  });
  EXPECT_EQ(visited, (std::vector<QString>{"cmdOK", "cmdEXIT", "cmbFont", "cmbSize", "txtFile",
                                           "cmdSansyo", "cmbTim", "cmdMP3", "txtMP3", "cmdOK"}));
}

TEST_F(QtDialogTest, ShowsTheLoadedSettingsAndTheScreenFontsInOrder) {
  state.Settings = {.TimerInterval = 275,
                    .FontSize = 24,
                    .FontName = "IPAGothic",
                    .FontColor = "255",
                    .MessageFile = "/home/u/メッセージ 1.txt",
                    .Mp3File = ""};
  std::vector<std::string> listed;
  Run([&listed](QDialog& dialog) {
    auto* fonts = Control<QComboBox>(dialog, "cmbFont");
    for (int i = 0; i < fonts->count(); ++i) listed.push_back(fonts->itemText(i).toStdString());
    EXPECT_EQ(fonts->currentText(), "IPAGothic");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbSize")->currentText(), "24");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbTim")->currentText(), "10");
    EXPECT_EQ(Control<QLineEdit>(dialog, "txtFile")->text(),
              QString::fromUtf8("/home/u/メッセージ 1.txt"));
    EXPECT_EQ(Control<QLabel>(dialog, "lblCol")->palette().color(QPalette::Window),
              QColor(255, 0, 0));
    Cancel(dialog);
  });
  EXPECT_EQ(listed, qt::QtScreenFontNames());
  EXPECT_NE(std::find(listed.begin(), listed.end(), "IPAPGothic"), listed.end());
}

TEST_F(QtDialogTest, EscapeNeverClosesAndEnterActsOnlyOnAFocusedButton) {
  bool open_after_keys = false;
  Run([&open_after_keys](QDialog& dialog) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    for (const char* name : {"cmbFont", "txtFile", "cmbTim"}) {
      Control(dialog, name)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    open_after_keys = dialog.isVisible();
    Control(dialog, "cmdOK")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  });
  EXPECT_TRUE(open_after_keys);
  EXPECT_EQ(Stored("TIME"), "1") << "Enter on the focused save button saves";
}

TEST_F(QtDialogTest, MessageFileChooserListsAllFilesAndCancelKeepsTheBox) {
  const std::string chosen = dir.Write("notes.log", "x");
  state.Settings.MessageFile = "/kept.txt";
  QStringList filters, patterns;
  QString preselected;  // as the type list shows it
  Run([&](QDialog& dialog) {
    auto* box = Control<QLineEdit>(dialog, "txtFile");
    Soon([] { TopModal<QFileDialog>()->reject(); });
    Control<QPushButton>(dialog, "cmdSansyo")->click();
    EXPECT_EQ(box->text(), "/kept.txt");
    Soon([&] {
      auto* chooser = TopModal<QFileDialog>();
      filters = chooser->nameFilters();
      preselected = chooser->selectedNameFilter();
      patterns = chooser->findChild<QFileSystemModel*>()->nameFilters();
      chooser->selectFile(QString::fromStdString(chosen));
      QMetaObject::invokeMethod(chooser, "accept");  // as its Open button does
    });
    Control<QPushButton>(dialog, "cmdSansyo")->click();
    EXPECT_EQ(box->text().toStdString(), chosen);
    Control<QPushButton>(dialog, "cmdOK")->click();
  });
  EXPECT_EQ(filters, (QStringList{"*.* (*)", "*.txt (*)"}));
  EXPECT_EQ(preselected, "*.*");
  EXPECT_EQ(patterns, QStringList{"*"});
  EXPECT_EQ(Stored("FILE"), chosen);
}

TEST(QtNameFilter, EmptyPatternsLetEveryFileThrough) {
  EXPECT_EQ(qt::NameFilterOf({"*.*", ""}), "*.* (*)");
  EXPECT_EQ(qt::NameFilterOf({"Text", "*.txt;*.log"}), "Text (*.txt *.log)");
}

TEST_F(QtDialogTest, SwatchClickPicksTheColourThatIsSavedAndCancelKeepsIt) {
  state.Settings.FontColor = "128";
  Run([](QDialog& dialog) {
    auto* swatch = Control<QLabel>(dialog, "lblCol");
    Soon([] { TopModal<QColorDialog>()->reject(); });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(128, 0, 0));
    Soon([] {
      TopModal<QColorDialog>()->setCurrentColor(QColor(1, 2, 3));
      TopModal<QColorDialog>()->accept();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(1, 2, 3));
    Control<QPushButton>(dialog, "cmdOK")->click();
  });
  EXPECT_EQ(Stored("FONTCOLOR"), "197121");  // red + 256 * green + 65536 * blue
}

}  // namespace
}  // namespace tarvex::testing
