// The settings dialog's Win32 window: the controls of the design table at
// their places with their texts, the focus order, the text boxes, the keys
// and clicks of the modal show, and the choosers' answers.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "dialog/layout.h"
#include "platform/win32/design_units.h"
#include "platform/win32/dialog_window_host.h"
#include "runtime/ansi_text.h"
#include "runtime/runtime_error.h"
#include "runtime/twips.h"
#include "tests/support/case_name.h"

namespace tarvex::platform::win32 {
namespace {

using dialog::ControlId;
using namespace std::string_literals;

class RecordingEvents : public DialogEvents {
 public:
  std::vector<std::string> calls;

  void cmdSansyo_Click() override { calls.emplace_back("cmdSansyo_Click"); }
  void cmdMP3_Click() override { calls.emplace_back("cmdMP3_Click"); }
  void lblCol_Click() override { calls.emplace_back("lblCol_Click"); }
  void cmdEXIT_Click() override { calls.emplace_back("cmdEXIT_Click"); }
  void cmdOK_Click() override {  // the one that fails
    calls.emplace_back("cmdOK_Click");
    throw runtime::RuntimeError(runtime::kOverflow);
  }
};

class DialogWindowHostTest : public ::testing::Test {
 protected:
  HWND Window() { return host.Window().Window(); }
  HWND Control(ControlId id) { return host.Window().Control(id); }
  static int Pixels(double twips) { return runtime::TwipsToPixels(twips, ScreenDpi()); }

  Win32DialogWindowHost host;
  RecordingEvents events;
};

class ControlPlacement : public DialogWindowHostTest,
                         public ::testing::WithParamInterface<dialog::ControlDesign> {};

// Frame2's controls stand inside it, at 120, 60 twips.
TEST_P(ControlPlacement, StandsAtItsDesignPlaceWithItsText) {
  const dialog::ControlDesign& design = GetParam();
  RECT place{};
  GetWindowRect(Control(design.id), &place);
  MapWindowPoints(HWND_DESKTOP, Window(), reinterpret_cast<POINT*>(&place), 2);
  const bool inFrame = design.container == dialog::Container::kFrame2;
  EXPECT_EQ(place.left, Pixels(design.left) + (inFrame ? Pixels(120) : 0));
  EXPECT_EQ(place.top, Pixels(design.top) + (inFrame ? Pixels(60) : 0));
  EXPECT_EQ(place.right - place.left, Pixels(design.width));
  if (design.kind != dialog::ControlKind::kList) {  // a list's height is set by its font
    EXPECT_EQ(place.bottom - place.top, Pixels(design.height));
  }
  char text[64] = {};
  GetWindowTextA(Control(design.id), text, sizeof text);
  EXPECT_EQ(text, *runtime::TextToAnsi(design.text));
}

INSTANTIATE_TEST_SUITE_P(Design, ControlPlacement, ::testing::ValuesIn(dialog::kControls),
                         testing::CaseName());

TEST_F(DialogWindowHostTest, TabFollowsTheFocusOrderAndWrapsAround) {
  const auto& order = dialog::kFocusOrder;
  for (std::size_t i = 0; i < order.size(); ++i) {
    const HWND next = Control(order[(i + 1) % order.size()]);
    EXPECT_EQ(GetNextDlgTabItem(Window(), Control(order[i]), FALSE), next) << i;
  }
}

// Characters the ANSI code page lacks stay as typed: saving then refuses
// them rather than storing question marks.
TEST_F(DialogWindowHostTest, TextBoxesKeepWhatTheCodePageLacks) {
  host.SetText(DialogTextBox::txtMP3, "C:\\Café\xF0\x9F\x8E\xB5.mp3");
  EXPECT_EQ(host.Text(DialogTextBox::txtMP3), "C:\\Café\xF0\x9F\x8E\xB5.mp3");
}

struct ShowCase {
  const char* name;
  int tabs;           // Tab presses from the first control of the focus order
  WPARAM key;         // then this key, if any
  ControlId clicked;  // then a click on this control; Frame2 stands for none
  std::vector<std::string> calls;
};

class DialogInputs : public DialogWindowHostTest, public ::testing::WithParamInterface<ShowCase> {};

// The inputs are posted before the show; closing the frame then ends it.
TEST_P(DialogInputs, ReachTheirProceduresInTheModalShow) {
  const ShowCase& c = GetParam();
  for (int i = 0; i < c.tabs; ++i) PostMessageW(Window(), WM_KEYDOWN, VK_TAB, 0);
  if (c.key != 0) PostMessageW(Window(), WM_KEYDOWN, c.key, 0);
  if (c.clicked != ControlId::Frame2) {
    PostMessageW(Control(c.clicked), WM_LBUTTONDOWN, MK_LBUTTON, 0);
    PostMessageW(Control(c.clicked), WM_LBUTTONUP, 0, 0);
  }
  PostMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  host.ShowModal(events);
  EXPECT_EQ(events.calls, c.calls);
}

// The focus order starts cmdOK, cmdEXIT, cmbFont, cmbSize, txtFile. Enter on a
// focused button is the error case's below, and the end-to-end save's.
const ShowCase kShowCases[] = {
    {"EnterInAList", 2, VK_RETURN, ControlId::Frame2, {}},
    {"EnterInATextBox", 4, VK_RETURN, ControlId::Frame2, {}},
    {"ButtonClick", 0, 0, ControlId::cmdMP3, {"cmdMP3_Click"}},
    {"SwatchClick", 0, 0, ControlId::lblCol, {"lblCol_Click"}},
};
INSTANTIATE_TEST_SUITE_P(Inputs, DialogInputs, ::testing::ValuesIn(kShowCases),
                         testing::CaseName());

TEST_F(DialogWindowHostTest, AnErrorInAProcedureClosesTheDialogAndIsRaisedFromTheShow) {
  PostMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);
  PostMessageW(Window(), WM_KEYDOWN, VK_RETURN, 0);
  EXPECT_THROW(host.ShowModal(events), runtime::RuntimeError);
  EXPECT_EQ(events.calls, std::vector<std::string>{"cmdOK_Click"});
}

// Presses `button` in the chooser (a system dialog box) once it shows, from
// another thread: it may show late on a busy machine.
std::jthread PressInChooser(WPARAM button) {
  return std::jthread([button] {
    HWND chooser = nullptr;
    for (int i = 0; i < 1000 && chooser == nullptr; ++i) {
      Sleep(10);
      chooser = FindWindowA("#32770", nullptr);
    }
    PostMessageA(chooser, WM_COMMAND, button, 0);
  });
}

// The dialog's types are "*.*||*.txt": empty patterns let every file through.
TEST_F(DialogWindowHostTest, TheChoosersGiveWhatIsConfirmedAndNothingWhenCancelled) {
  std::jthread press = PressInChooser(IDOK);
  EXPECT_EQ(host.ShowColorChooser(0x00123456), 0x00123456);
  press = PressInChooser(IDCANCEL);
  EXPECT_EQ(host.ShowColorChooser(255), std::nullopt);
  const std::vector<FileTypeFilter> types{{"*.*", ""}, {"*.txt", ""}};
  EXPECT_EQ(OpenChooserFilter(types), "*.*\0*.*\0*.txt\0*.*\0\0"s);
  press = PressInChooser(IDCANCEL);
  EXPECT_EQ(host.ShowOpenChooser(types, 1, "C:\\readme.txt"), std::nullopt);
}

}  // namespace
}  // namespace tarvex::platform::win32
