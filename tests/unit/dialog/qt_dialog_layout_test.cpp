// The real dialog window: its frame, controls, texts, font and focus order.

#include <gtest/gtest.h>

#include <QComboBox>
#include <QFontInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "tests/unit/dialog/qt_dialog_fixture.h"

namespace tarvex::testing {
namespace {

struct Placed {
  const char* name;
  const char* parent;
  QRect pixels;  // at 96 dpi
};

// The design's twips over 15, to the nearest pixel.
const std::vector<Placed> kPlaced = {
    {"Frame2", "FormIni", {8, 4, 360, 132}},    {"Label4", "Frame2", {8, 20, 88, 16}},
    {"cmbFont", "Frame2", {120, 16, 96, 20}},   {"Label2", "Frame2", {224, 20, 72, 16}},
    {"lblCol", "Frame2", {288, 18, 59, 19}},    {"Label7", "Frame2", {8, 47, 96, 16}},
    {"cmbSize", "Frame2", {120, 44, 54, 20}},   {"Label6", "Frame2", {226, 47, 46, 16}},
    {"cmbTim", "Frame2", {288, 44, 54, 20}},    {"Label1", "Frame2", {8, 72, 111, 16}},
    {"txtFile", "Frame2", {120, 72, 189, 17}},  {"cmdSansyo", "Frame2", {312, 72, 39, 19}},
    {"Label8", "Frame2", {8, 96, 111, 16}},     {"txtMP3", "Frame2", {120, 96, 189, 17}},
    {"cmdMP3", "Frame2", {312, 96, 39, 19}},    {"cmdOK", "FormIni", {119, 143, 55, 20}},
    {"cmdEXIT", "FormIni", {180, 143, 55, 20}},
};

class QtDialogLayoutTest : public QtDialogFixture {};

TEST_F(QtDialogLayoutTest, FixedFrameWithTheTitleAndClientSize) {
  Run([](QDialog& dialog) {
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8("ソラリオン風メッセージスクリーンセーバー") +
                                        QChar(0x3000) + QString::fromUtf8("設定"));
    EXPECT_EQ(dialog.size(), QSize(377, 166));
    EXPECT_EQ(dialog.minimumSize(), dialog.maximumSize());
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(dialog.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_EQ(dialog.parentWidget(), nullptr);
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
}

TEST_F(QtDialogLayoutTest, EveryControlAtItsPlace) {
  Run([](QDialog& dialog) {
    for (const auto& placed : kPlaced) {
      SCOPED_TRACE(placed.name);
      auto* control = Control<QWidget>(dialog, placed.name);
      ASSERT_NE(control, nullptr);
      EXPECT_EQ(control->geometry(), placed.pixels);
      EXPECT_EQ(control->parentWidget()->objectName(), placed.parent);
    }
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
}

TEST_F(QtDialogLayoutTest, TextsAndKindsOfTheControls) {
  Run([](QDialog& dialog) {
    EXPECT_EQ(Control<QGroupBox>(dialog, "Frame2")->title(), QString::fromUtf8("設定"));
    const std::vector<std::pair<const char*, const char*>> labels = {
        {"Label4", "フォント"}, {"Label2", "文字の色："},       {"Label7", "フォントサイズ"},
        {"Label6", "速度："},   {"Label1", "テキストファイル"}, {"Label8", "音楽ファイル"}};
    for (const auto& [name, text] : labels) {
      EXPECT_EQ(Control<QLabel>(dialog, name)->text(), QString::fromUtf8(text)) << name;
    }
    const std::vector<std::pair<const char*, const char*>> buttons = {
        {"cmdOK", "保 存"}, {"cmdEXIT", "取 消"}, {"cmdSansyo", "参照"}, {"cmdMP3", "参照"}};
    for (const auto& [name, text] : buttons) {
      auto* button = Control<QPushButton>(dialog, name);
      EXPECT_EQ(button->text(), QString::fromUtf8(text)) << name;
      EXPECT_FALSE(button->isDefault() || button->autoDefault()) << name;
    }
    for (const char* name : {"cmbFont", "cmbSize", "cmbTim"}) {
      EXPECT_FALSE(Control<QComboBox>(dialog, name)->isEditable()) << name;
    }
    for (const char* name : {"txtFile", "txtMP3"})
      EXPECT_NE(Control<QLineEdit>(dialog, name), nullptr);
    auto* swatch = Control<QLabel>(dialog, "lblCol");
    EXPECT_TRUE(swatch->text().isEmpty());
    EXPECT_EQ(swatch->frameShape(), QFrame::NoFrame);
    EXPECT_EQ(swatch->focusPolicy(), Qt::NoFocus);
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
}

TEST_F(QtDialogLayoutTest, DesignFontThroughTheSubstitutionTable) {
  Run([](QDialog& dialog) {
    for (const char* name : {"Label4", "cmbFont", "txtFile", "cmdOK"}) {
      const QFont font = Control<QWidget>(dialog, name)->font();
      EXPECT_EQ(QFontInfo(font).family(), "IPAPGothic") << name;
      EXPECT_EQ(font.pointSize(), 9) << name;
      EXPECT_EQ(font.weight(), QFont::Normal) << name;
    }
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
}

TEST_F(QtDialogLayoutTest, FocusStartsOnSaveAndTabFollowsTheOrder) {
  std::vector<QString> visited;
  Run([&visited](QDialog& dialog) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    visited.push_back(QApplication::focusWidget()->objectName());
    for (int i = 0; i < 9; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      visited.push_back(QApplication::focusWidget()->objectName());
    }
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
  EXPECT_EQ(visited, (std::vector<QString>{"cmdOK", "cmdEXIT", "cmbFont", "cmbSize", "txtFile",
                                           "cmdSansyo", "cmbTim", "cmdMP3", "txtMP3", "cmdOK"}));
}

TEST_F(QtDialogLayoutTest, FontListIsTheScreenFontsInOrder) {
  const auto fonts = qt::QtScreenFontNames();
  EXPECT_NE(std::find(fonts.begin(), fonts.end(), "IPAPGothic"), fonts.end());
  std::vector<std::string> listed;
  Run([&listed](QDialog& dialog) {
    auto* list = Control<QComboBox>(dialog, "cmbFont");
    for (int i = 0; i < list->count(); ++i) listed.push_back(list->itemText(i).toStdString());
    Control<QPushButton>(dialog, "cmdEXIT")->click();
  });
  EXPECT_EQ(listed, fonts);
}

}  // namespace
}  // namespace tarvex::testing
