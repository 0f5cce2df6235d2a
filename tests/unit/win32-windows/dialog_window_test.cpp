// The settings dialog's Win32 window: every control of the design table at
// its place with its text, the control kinds, the focus order, and the host's
// lists, text boxes and swatch.

#include <gtest/gtest.h>

#include <string>

#include "dialog/layout.h"
#include "platform/win32/design_units.h"
#include "platform/win32/dialog_window_host.h"
#include "runtime/ansi_text.h"
#include "runtime/twips.h"

namespace tarvex::platform::win32 {
namespace {

using dialog::ControlDesign;
using dialog::ControlId;
using dialog::ControlKind;

std::string ClassName(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

std::string WindowTextA(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

LONG Style(HWND window) {
  return GetWindowLongA(window, GWL_STYLE);
}

class DialogWindowTest : public ::testing::Test {
 protected:
  HWND Control(ControlId id) { return host.Window().Control(id); }

  Win32DialogWindowHost host;
  int dpi = ScreenDpi();
};

class ControlPlacement : public DialogWindowTest,
                         public ::testing::WithParamInterface<ControlDesign> {};

TEST_P(ControlPlacement, StandsAtItsDesignPlaceWithItsText) {
  const ControlDesign& design = GetParam();
  const HWND control = Control(design.id);
  ASSERT_NE(control, nullptr);
  RECT place{};
  GetWindowRect(control, &place);
  MapWindowPoints(HWND_DESKTOP, host.Window().Window(), reinterpret_cast<POINT*>(&place), 2);
  const bool inFrame = design.container == dialog::Container::kFrame2;
  const int frameLeft = inFrame ? runtime::TwipsToPixels(120, dpi) : 0;
  const int frameTop = inFrame ? runtime::TwipsToPixels(60, dpi) : 0;
  EXPECT_EQ(place.left, frameLeft + runtime::TwipsToPixels(design.left, dpi));
  EXPECT_EQ(place.top, frameTop + runtime::TwipsToPixels(design.top, dpi));
  EXPECT_EQ(place.right - place.left, runtime::TwipsToPixels(design.width, dpi));
  if (design.kind != ControlKind::kList) {  // a list's height is set by its font
    EXPECT_EQ(place.bottom - place.top, runtime::TwipsToPixels(design.height, dpi));
  }
  EXPECT_EQ(WindowTextA(control), *runtime::TextToAnsi(design.text));
}

INSTANTIATE_TEST_SUITE_P(Design, ControlPlacement, ::testing::ValuesIn(dialog::kControls),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(DialogWindowTest, TheWindowHasTheTitleAndTheDesignClientSizeAndCannotBeResized) {
  const HWND window = host.Window().Window();
  EXPECT_EQ(WindowTextA(window), *runtime::TextToAnsi(dialog::kTitle));
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, runtime::TwipsToPixels(dialog::kClientWidth, dpi));
  EXPECT_EQ(client.bottom, runtime::TwipsToPixels(dialog::kClientHeight, dpi));
  EXPECT_EQ(Style(window) & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);
}

TEST_F(DialogWindowTest, ControlsAreOfTheirKind) {
  EXPECT_EQ(Style(Control(ControlId::Frame2)) & BS_TYPEMASK, BS_GROUPBOX);
  for (const ControlId list : {ControlId::cmbFont, ControlId::cmbSize, ControlId::cmbTim}) {
    EXPECT_EQ(ClassName(Control(list)), "ComboBox");
    EXPECT_EQ(Style(Control(list)) & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(Style(Control(list)) & CBS_SORT, 0);
  }
  for (const ControlId box : {ControlId::txtFile, ControlId::txtMP3}) {
    EXPECT_EQ(ClassName(Control(box)), "Edit");
    EXPECT_EQ(Style(Control(box)) & ES_MULTILINE, 0);
  }
  const LONG swatch = Style(Control(ControlId::lblCol));
  EXPECT_NE(swatch & SS_NOTIFY, 0);
  EXPECT_EQ(swatch & (WS_TABSTOP | WS_BORDER), 0);
  for (const ControlId button : {ControlId::cmdOK, ControlId::cmdEXIT}) {
    EXPECT_EQ(Style(Control(button)) & BS_TYPEMASK, BS_PUSHBUTTON);  // never the default
  }
}

TEST_F(DialogWindowTest, TabFollowsTheFocusOrderAndWrapsAround) {
  const auto& order = dialog::kFocusOrder;
  const HWND window = host.Window().Window();
  for (std::size_t i = 0; i < order.size(); ++i) {
    const HWND next = GetNextDlgTabItem(window, Control(order[i]), FALSE);
    EXPECT_EQ(next, Control(order[(i + 1) % order.size()])) << i;
  }
}

TEST_F(DialogWindowTest, ListsKeepTheOrderAddedAndGiveTheSelectedText) {
  for (const char* text : {"72", "10", "ＭＳ Ｐ明朝", "Arial"})
    host.AddItem(DialogList::cmbFont, text);
  EXPECT_EQ(host.ListCount(DialogList::cmbFont), 4);
  EXPECT_EQ(host.ListText(DialogList::cmbFont), "");
  host.SetListIndex(DialogList::cmbFont, 2);
  EXPECT_EQ(host.ListText(DialogList::cmbFont), "ＭＳ Ｐ明朝");
  host.SetListIndex(DialogList::cmbFont, 0);
  EXPECT_EQ(host.ListText(DialogList::cmbFont), "72");
  host.SetListIndex(DialogList::cmbFont, -1);
  EXPECT_EQ(host.ListText(DialogList::cmbFont), "");
  EXPECT_EQ(host.ListCount(DialogList::cmbTim), 0);
}

class TextBoxText : public DialogWindowTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(TextBoxText, ComesBackExactly) {
  host.SetText(DialogTextBox::txtFile, GetParam());
  host.SetText(DialogTextBox::txtMP3, GetParam() + "x");
  EXPECT_EQ(host.Text(DialogTextBox::txtFile), GetParam());
  EXPECT_EQ(host.Text(DialogTextBox::txtMP3), GetParam() + "x");
}

// Characters the ANSI code page lacks stay as typed: saving then refuses
// them rather than storing question marks.
INSTANTIATE_TEST_SUITE_P(Paths, TextBoxText,
                         ::testing::Values("", "C:\\メッセージ 1.txt", "D:\\music\\Café.mp3",
                                           "C:\\\xF0\x9F\x8E\xB5.mp3", std::string(3000, 'a')));

TEST_F(DialogWindowTest, TheSwatchStartsAtTheMenuTextColourAndKeepsItsValue) {
  EXPECT_EQ(host.SwatchColor(), -2147483641);
  host.SetSwatchColor(255);
  EXPECT_EQ(host.SwatchColor(), 255);
  host.SetSwatchColor(-2147483640);
  EXPECT_EQ(host.SwatchColor(), -2147483640);
}

}  // namespace
}  // namespace tarvex::platform::win32
