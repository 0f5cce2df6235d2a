// The real dialog window: what it shows, what its buttons, keys and
// choosers do, and what it leaves in the settings file.

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "platform/qt/qt_dialog_choosers.h"
#include "settings/basSysAPI.h"
#include "tests/unit/dialog/qt_dialog_fixture.h"

namespace tarvex::testing {
namespace {

const std::string kOldFile = "[TARVEX]\r\nTIME=3\r\nFONTCOLOR=255\r\n";

class QtDialogTest : public QtDialogFixture {
 protected:
  std::string Stored(const char* key) const {
    return basSysAPI::ReadIniValue("TARVEX", key, 200, state.IniPath);
  }
};

TEST_F(QtDialogTest, ShowsTheLoadedSettings) {
  state.Settings.FontSize = 24;
  state.Settings.FontName = "IPAGothic";
  state.Settings.TimerInterval = 275;
  state.Settings.FontColor = "255";
  state.Settings.MessageFile = "/home/u/メッセージ 1.txt";
  Run([](QDialog& dialog) {
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbSize")->currentText(), "24");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbFont")->currentText(), "IPAGothic");
    EXPECT_EQ(Control<QComboBox>(dialog, "cmbTim")->currentText(), "10");
    EXPECT_EQ(Control<QLineEdit>(dialog, "txtFile")->text(),
              QString::fromUtf8("/home/u/メッセージ 1.txt"));
    EXPECT_EQ(Control<QLineEdit>(dialog, "txtMP3")->text(), "");
    EXPECT_EQ(Control<QLabel>(dialog, "lblCol")->palette().color(QPalette::Window),
              QColor(255, 0, 0));
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
}

TEST_F(QtDialogTest, SwatchStartsWithTheMenuTextColour) {
  Run([](QDialog& dialog) {
    EXPECT_EQ(Control<QLabel>(dialog, "lblCol")->palette().color(QPalette::Window),
              QApplication::palette().color(QPalette::Active, QPalette::WindowText));
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
}

TEST_F(QtDialogTest, SaveWritesTheSixKeysAndCloses) {
  state.Settings.FontSize = 24;
  state.Settings.FontName = "IPAGothic";
  state.Settings.TimerInterval = 100;
  state.Settings.MessageFile = "/home/u/メッセージ 1.txt";
  Run([](QDialog& dialog) {
    QTest::mouseClick(Control<QPushButton>(dialog, "cmdOK"), Qt::LeftButton);
  });
  EXPECT_EQ(Ini(),
            "[TARVEX]\r\nFONTSIZE=\" 24\"\r\nFONTNAME=IPAGothic\r\nFONTCOLOR=-2147483641\r\n"
            "FILE=/home/u/メッセージ 1.txt\r\nMP3=\r\nTIME=4\r\n");
}

TEST_F(QtDialogTest, CancelAndTheWindowFrameLeaveTheFileByteForByte) {
  WriteBytes(state.IniPath, kOldFile);
  Run([](QDialog& dialog) {
    Control<QComboBox>(dialog, "cmbSize")->setCurrentIndex(5);
    QTest::mouseClick(Control<QPushButton>(dialog, "cmdEXIT"), Qt::LeftButton);
  });
  EXPECT_EQ(Ini(), kOldFile);
  Run([](QDialog& dialog) {
    Control<QComboBox>(dialog, "cmbTim")->setCurrentIndex(5);
    dialog.close();
  });
  EXPECT_EQ(Ini(), kOldFile);
}

TEST_F(QtDialogTest, EscapeNeverClosesAndEnterActsOnlyOnAFocusedButton) {
  bool open_after_keys = false;
  Run([&open_after_keys](QDialog& dialog) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    QTest::keyClick(&dialog, Qt::Key_Escape);
    for (const char* name : {"cmbFont", "txtFile", "cmbTim"}) {
      Control<QWidget>(dialog, name)->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    open_after_keys = dialog.isVisible();
    Control<QWidget>(dialog, "cmdOK")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  });
  EXPECT_TRUE(open_after_keys);
  EXPECT_EQ(Stored("TIME"), "1") << "Enter on the focused save button saves";
}

TEST_F(QtDialogTest, EnterOnTheFocusedCancelButtonCancels) {
  WriteBytes(state.IniPath, kOldFile);
  Run([](QDialog& dialog) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    Control<QWidget>(dialog, "cmdEXIT")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
  });
  EXPECT_EQ(Ini(), kOldFile);
}

TEST_F(QtDialogTest, MessageFileChooserListsAllFilesAndCancelKeepsTheBox) {
  const std::string chosen = dir.File("notes.log");
  WriteBytes(chosen, "x");
  state.Settings.MessageFile = "/kept.txt";
  QStringList filters;
  QString preselected;  // as the type list shows it
  QStringList patterns;
  Run([&](QDialog& dialog) {
    auto* box = Control<QLineEdit>(dialog, "txtFile");
    Soon([&] {
      auto* chooser = TopModal<QFileDialog>();
      ASSERT_NE(chooser, nullptr);
      chooser->reject();
    });
    Control<QPushButton>(dialog, "cmdSansyo")->click();
    EXPECT_EQ(box->text(), "/kept.txt");
    Soon([&] {
      auto* chooser = TopModal<QFileDialog>();
      ASSERT_NE(chooser, nullptr);
      filters = chooser->nameFilters();
      preselected = chooser->selectedNameFilter();
      auto* model = chooser->findChild<QFileSystemModel*>();
      ASSERT_NE(model, nullptr);
      patterns = model->nameFilters();
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

TEST(QtNameFilterTest, EmptyPatternsLetEveryFileThrough) {
  EXPECT_EQ(qt::NameFilterOf({"*.*", ""}), "*.* (*)");
  EXPECT_EQ(qt::NameFilterOf({"Text", "*.txt;*.log"}), "Text (*.txt *.log)");
}

struct Picked {
  QColor colour;
  const char* stored;
};

class QtColorChooserTest : public QtDialogFixture, public ::testing::WithParamInterface<Picked> {};

TEST_P(QtColorChooserTest, SwatchClickPicksTheColourThatIsSaved) {
  state.Settings.FontColor = "128";
  Run([](QDialog& dialog) {
    auto* swatch = Control<QLabel>(dialog, "lblCol");
    Soon([] {
      auto* chooser = TopModal<QColorDialog>();
      ASSERT_NE(chooser, nullptr);
      chooser->reject();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->palette().color(QPalette::Window), QColor(128, 0, 0));
    Soon([] {
      auto* chooser = TopModal<QColorDialog>();
      ASSERT_NE(chooser, nullptr);
      chooser->setCurrentColor(GetParam().colour);
      chooser->accept();
    });
    QTest::mouseClick(swatch, Qt::LeftButton);
    EXPECT_EQ(swatch->palette().color(QPalette::Window), GetParam().colour);
    Control<QPushButton>(dialog, "cmdOK")->click();
  });
  EXPECT_EQ(basSysAPI::ReadIniValue("TARVEX", "FONTCOLOR", 50, state.IniPath), GetParam().stored);
}

INSTANTIATE_TEST_SUITE_P(Colours, QtColorChooserTest,
                         ::testing::Values(Picked{QColor(255, 0, 0), "255"},
                                           Picked{QColor(0, 255, 0), "65280"},
                                           Picked{QColor(0, 0, 255), "16711680"},
                                           Picked{QColor(1, 2, 3), "197121"}));

}  // namespace
}  // namespace tarvex::testing
