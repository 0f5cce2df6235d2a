// The Win32 saver window host: the window's messages as the form's event
// procedures, the unload guard, the copy that shrinks the page, and the
// windows placed again when the monitors change.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "platform/win32/saver_window_host.h"
#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"

namespace tarvex::platform::win32 {
namespace {

using I16 = std::int16_t;

// Records each event procedure the host calls, with its arguments.
class RecordingForm : public platform::SaverWindowEvents {
 public:
  std::vector<std::string> calls;
  std::function<void(const std::string&)> after;  // runs after each recorded call
  I16 cancel = 0;                                 // what Form_Unload sets Cancel to

  void Form_Activate() override { Record("Form_Activate"); }
  void tmrStr_Timer() override { Record("tmrStr_Timer"); }
  void Form_KeyDown(I16 key, I16 shift) override { Record("Form_KeyDown", key, shift); }
  void Form_MouseMove(I16 b, I16 s, float x, float y) override {
    Record("Form_MouseMove", b, s, x, y);
  }
  void picTARVEX_Click(I16 i) override { Record("picTARVEX_Click", i); }
  void picTARVEX_KeyDown(I16 i, I16 key, I16 s) override { Record("picTARVEX_KeyDown", i, key, s); }
  void picTARVEX_MouseMove(I16 i, I16 b, I16 s, float x, float y) override {
    Record("picTARVEX_MouseMove", i, b, s, x, y);
  }
  void Form_Unload(I16& Cancel) override {
    Cancel = cancel;
    Record("Form_Unload");
  }

  auto Count(const std::string& call) const { return std::count(calls.begin(), calls.end(), call); }

 private:
  template <class... Args>
  void Record(const char* name, Args... args) {
    std::ostringstream text;
    [[maybe_unused]] const char* separator = "";
    text << name << '(';
    ((text << separator << args, separator = ","), ...);
    calls.push_back(text.str() + ')');
    if (after) after(calls.back());
  }
};

class SaverWindowHostTest : public ::testing::Test {
 protected:
  SaverWindowHostTest() { host.Attach(form); }

  Win32SaverWindowHost host{{0, 0, 1024, 768}, 96, nullptr};
  RecordingForm form;
};

constexpr bool kFrame = false;  // where a message goes: the frame or the display
constexpr bool kDisplay = true;

struct Input {
  bool toDisplay;
  UINT message;
  WPARAM wParam = 0;
  int x = 0;
  int y = 0;
};

// A button pressed over the display and released `upX` pixels from its left.
std::vector<Input> Press(UINT down, UINT up, int upX = 10) {
  return {{kDisplay, down, 0, 10, 10}, {kDisplay, up, 0, upX, 10}};
}

struct EventCase {
  const char* name;
  std::vector<Input> inputs;
  std::vector<std::string> calls;
};

class Events : public SaverWindowHostTest, public ::testing::WithParamInterface<EventCase> {};

// The form cancels every unload, so the window stays through each case.
TEST_P(Events, ReachTheEventProceduresOfTheWindowOrTheDisplay) {
  form.cancel = -1;
  host.Picture(1).SetWidth(100);
  host.Picture(1).SetHeight(100);
  for (const Input& input : GetParam().inputs) {
    SendMessageA(input.toDisplay ? host.Display() : host.Frame(), input.message, input.wParam,
                 MAKELPARAM(input.x, input.y));
  }
  EXPECT_EQ(form.calls, GetParam().calls);
}

const EventCase kEventCases[] = {
    {"FrameMove", {{kFrame, WM_MOUSEMOVE, 0, 5, 7}}, {"Form_MouseMove(0,0,5,7)"}},
    {"DisplayMove",
     {{kDisplay, WM_MOUSEMOVE, MK_RBUTTON, -3, 12}},
     {"picTARVEX_MouseMove(1,2,0,-3,12)"}},
    {"DisplayKey", {{kDisplay, WM_KEYDOWN, 'A'}}, {"picTARVEX_KeyDown(1,65,0)"}},
    {"DisplaySystemKey", {{kDisplay, WM_SYSKEYDOWN, VK_F10}}, {"picTARVEX_KeyDown(1,121,0)"}},
    {"FrameKey", {{kFrame, WM_KEYDOWN, VK_SPACE}}, {"Form_KeyDown(32,0)"}},
    {"LeftClick", Press(WM_LBUTTONDOWN, WM_LBUTTONUP, 12), {"picTARVEX_Click(1)"}},
    {"ReleaseOutside", Press(WM_LBUTTONDOWN, WM_LBUTTONUP, 150), {}},
    {"ReleaseWithoutPress", {{kDisplay, WM_LBUTTONUP, 0, 10, 10}}, {}},
    {"CloseTwice", {{kFrame, WM_CLOSE}, {kFrame, WM_CLOSE}}, {"Form_Unload()", "Form_Unload()"}},
};
INSTANTIATE_TEST_SUITE_P(Messages, Events, ::testing::ValuesIn(kEventCases), testing::CaseName());

TEST_F(SaverWindowHostTest, AnErrorInAnEventProcedureEndsTheShowAndIsRaisedFromIt) {
  form.after = [](const std::string& call) {
    if (call == "Form_Activate()") throw runtime::RuntimeError(runtime::kOverflow);
  };
  EXPECT_THROW(host.ShowModal(), runtime::RuntimeError);
  SendMessageA(host.Frame(), WM_MOUSEMOVE, 0, 0);
  EXPECT_EQ(form.calls.size(), 1u);  // a closed window reports nothing more
}

class Shrinking : public SaverWindowHostTest, public ::testing::WithParamInterface<int> {};

// A one-pixel white stroke in any of four columns shrunk into three stays
// lit: the copy mixes the pixels it replaces, where taking their AND or one
// of them loses a stroke.
TEST_P(Shrinking, KeepsALightStrokeOnBlackLit) {
  GdiPictureSurface& source = host.Surface(2);
  GdiPictureSurface& copy = host.Surface(0);
  source.SetWidth(4);
  source.SetHeight(1);
  source.Cls();
  SetPixel(source.Dc(), GetParam(), 0, RGB(255, 255, 255));
  ASSERT_TRUE(host.StretchBlt(copy, 0, 0, 3, 1, source, 0, 0, 4, 1, kSrcCopy));
  std::uint32_t lit = 0;
  for (int x = 0; x < 3; ++x) lit |= copy.Pixel(x, 0);
  EXPECT_NE(lit, 0u);
}

INSTANTIATE_TEST_SUITE_P(StrokeColumns, Shrinking, ::testing::Values(0, 1, 2, 3));

// Wine sends no display change here: a fake monitor list stands in. The
// monitors after the change and the message that tells of it, then the
// covers' places, whether the page was composed anew, and what a move to 5,7
// over the first cover tells the form.
constexpr ScreenRect kPrimary{0, 0, 1024, 768}, kBeside{1024, 0, 800, 600};
constexpr ScreenRect kLeft{-800, 100, 800, 600}, kLarger{0, 0, 1280, 1024};
using DisplayCase =
    std::tuple<const char*, MonitorList, UINT, std::vector<ScreenRect>, bool, std::string>;
class DisplayChange : public ::testing::TestWithParam<DisplayCase> {};

TEST_P(DisplayChange, PlacesTheFrameOnThePrimaryAndACoverOnEveryOtherOneAgain) {
  const auto& [name, after, message, places, composedAnew, coverMove] = GetParam();
  MonitorList list{{kPrimary, kBeside}, kPrimary};
  Win32SaverWindowHost host{[&] { return list; }, 96, nullptr};
  RecordingForm form;
  host.Attach(form);
  std::vector<ScreenRect> covers;
  form.after = [&](const std::string& call) {
    if (call != "Form_Activate()" || form.Count(call) > 1) return;
    list = after;
    SendMessageA(host.Frame(), message, 32, 0);
    for (HWND cover : host.Covers()) {
      RECT r{};
      if (IsWindowVisible(cover) != FALSE && GetWindowRect(cover, &r) != FALSE)
        covers.push_back(ToScreenRect(r));
    }
    if (!host.Covers().empty()) SendMessageA(host.Covers()[0], WM_MOUSEMOVE, 0, MAKELPARAM(5, 7));
    host.RequestUnload();
  };
  host.ShowModal();
  EXPECT_EQ(covers, places);
  EXPECT_EQ(form.Count("Form_Activate()"), composedAnew ? 2 : 1);
  EXPECT_EQ(form.Count(coverMove), coverMove.empty() ? 0 : 1);
}

const MonitorList kResized{{kLarger, {1280, 0, 800, 600}}, kLarger};
const DisplayCase kDisplayChanges[] = {
    {"AddedLeft",
     {{kLeft, kPrimary}, kPrimary},
     WM_DISPLAYCHANGE,
     {kLeft},
     false,
     "Form_MouseMove(0,0,-795,107)"},
    {"Removed", {{kPrimary}, kPrimary}, WM_DISPLAYCHANGE, {}, false, ""},
    {"PrimaryResized",
     kResized,
     WM_DISPLAYCHANGE,
     {kResized.monitors[1]},
     true,
     "Form_MouseMove(0,0,1285,7)"},
    {"DpiChanged", kResized, WM_DPICHANGED, {kResized.monitors[1]}, true, ""},
};
INSTANTIATE_TEST_SUITE_P(Layouts, DisplayChange, ::testing::ValuesIn(kDisplayChanges),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::platform::win32
