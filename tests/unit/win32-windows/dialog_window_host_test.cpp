// The settings dialog's Win32 window: the controls of the design table at
// their places with their texts, and the keys and clicks of the modal show.

#include <gtest/gtest.h>

#include <string>
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
  if (c.calls == std::vector<std::string>{"cmdOK_Click"}) {
    EXPECT_THROW(host.ShowModal(events), runtime::RuntimeError);
  } else {
    host.ShowModal(events);
  }
  EXPECT_EQ(events.calls, c.calls);
}

// The focus order starts cmdOK, cmdEXIT, cmbFont, cmbSize, txtFile. The
// error in cmdOK's procedure closes the dialog: the click after it asks nothing.
const ShowCase kShowCases[] = {
    {"ErrorClosesTheShow", 0, VK_RETURN, ControlId::cmdOK, {"cmdOK_Click"}},
    {"EnterInATextBox", 4, VK_RETURN, ControlId::Frame2, {}},
    {"ButtonClick", 0, 0, ControlId::cmdMP3, {"cmdMP3_Click"}},
    {"SwatchClick", 0, 0, ControlId::lblCol, {"lblCol_Click"}},
};
INSTANTIATE_TEST_SUITE_P(Inputs, DialogInputs, ::testing::ValuesIn(kShowCases),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::platform::win32
