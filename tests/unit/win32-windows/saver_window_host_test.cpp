// The Win32 saver window host: the design layout, the window's messages as
// the form's event procedures, the timer, the unload guard and the modal show.

#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32/design_units.h"
#include "platform/win32/saver_window_host.h"
#include "runtime/runtime_error.h"
#include "tests/unit/win32-windows/message_pump.h"
#include "tests/unit/win32-windows/recording_form.h"

namespace tarvex::platform::win32 {
namespace {

using testing::PumpUntil;
using testing::RecordingForm;

constexpr RECT kScreen{0, 0, 1024, 768};

LPARAM At(int x, int y) {
  return MAKELPARAM(x, y);
}

struct DesignCase {
  int dpi;
  int index;
  RECT place;  // left, top, right, bottom in pixels
};

class DesignLayout : public ::testing::TestWithParam<DesignCase> {};

TEST_P(DesignLayout, SurfacesStartAtTheirDesignPlaceInPixels) {
  const DesignCase& c = GetParam();
  Win32SaverWindowHost host(kScreen, c.dpi, nullptr);
  const PictureSurface& surface = host.Picture(c.index);
  EXPECT_EQ(surface.Left(), c.place.left);
  EXPECT_EQ(surface.Top(), c.place.top);
  EXPECT_EQ(surface.Width(), c.place.right - c.place.left);
  EXPECT_EQ(surface.Height(), c.place.bottom - c.place.top);
}

// 15 twips per pixel at 96 dpi, 12 at 120.
INSTANTIATE_TEST_SUITE_P(Dpi, DesignLayout,
                         ::testing::Values(DesignCase{96, 0, {84, 20, 684, 320}},
                                           DesignCase{96, 1, {8, 56, 704, 357}},
                                           DesignCase{96, 2, {0, 0, 696, 301}},
                                           DesignCase{120, 0, {105, 25, 855, 400}},
                                           DesignCase{120, 1, {10, 70, 880, 446}},
                                           DesignCase{120, 2, {0, 0, 870, 376}}));

class SaverWindowHostTest : public ::testing::Test {
 protected:
  SaverWindowHostTest() { host.Attach(form); }

  Win32SaverWindowHost host{kScreen, 96, nullptr};
  RecordingForm form;
};

TEST_F(SaverWindowHostTest, TheClientAreaIsTheScreenAndTheHandleTheFrame) {
  EXPECT_EQ(host.ScaleWidth(), 1024);
  EXPECT_EQ(host.ScaleHeight(), 768);
  EXPECT_EQ(host.Handle(), reinterpret_cast<WindowHandle>(host.Frame()));
  EXPECT_EQ(GetParent(host.Display()), host.Frame());
  EXPECT_NE(GetWindowLongA(host.Frame(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_NE(GetWindowLongA(host.Frame(), GWL_STYLE) & WS_POPUP, 0);
}

TEST_F(SaverWindowHostTest, TheDisplayWindowFollowsTheDisplaySurface) {
  PictureSurface& display = host.Picture(1);
  display.SetLeft(100);
  display.SetTop(100);
  display.SetWidth(824);
  display.SetHeight(568);
  RECT place{};
  GetWindowRect(host.Display(), &place);
  MapWindowPoints(HWND_DESKTOP, host.Frame(), reinterpret_cast<POINT*>(&place), 2);
  EXPECT_EQ(place.left, 100);
  EXPECT_EQ(place.top, 100);
  EXPECT_EQ(place.right - place.left, 824);
  EXPECT_EQ(place.bottom - place.top, 568);
}

struct RoutingCase {
  bool toDisplay;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
  const char* expected;
};

class InputRouting : public SaverWindowHostTest,
                     public ::testing::WithParamInterface<RoutingCase> {};

TEST_P(InputRouting, ReachesTheEventProcedureOfTheWindowOrTheDisplay) {
  const RoutingCase& c = GetParam();
  SendMessageA(c.toDisplay ? host.Display() : host.Frame(), c.message, c.wParam, c.lParam);
  ASSERT_EQ(form.calls.size(), 1u);
  EXPECT_EQ(form.calls[0], c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Messages, InputRouting,
    ::testing::Values(
        RoutingCase{false, WM_MOUSEMOVE, 0, At(5, 7), "Form_MouseMove(0,0,5,7)"},
        RoutingCase{false, WM_MOUSEMOVE, MK_LBUTTON | MK_MBUTTON, At(1023, 0),
                    "Form_MouseMove(5,0,1023,0)"},
        RoutingCase{true, WM_MOUSEMOVE, MK_RBUTTON, At(0, 0), "picTARVEX_MouseMove(1,2,0,0,0)"},
        RoutingCase{true, WM_MOUSEMOVE, 0, At(-3, 12), "picTARVEX_MouseMove(1,0,0,-3,12)"},
        RoutingCase{true, WM_KEYDOWN, 'A', 0, "picTARVEX_KeyDown(1,65,0)"},
        RoutingCase{true, WM_SYSKEYDOWN, VK_F10, 0, "picTARVEX_KeyDown(1,121,0)"},
        RoutingCase{false, WM_KEYDOWN, VK_SPACE, 0, "Form_KeyDown(32,0)"}));

TEST_F(SaverWindowHostTest, APressAndReleaseOnTheDisplayIsOneClickOfAnyButton) {
  host.Picture(1).SetWidth(100);
  host.Picture(1).SetHeight(100);
  for (const auto& [down, up] :
       {std::pair{WM_LBUTTONDOWN, WM_LBUTTONUP}, std::pair{WM_RBUTTONDOWN, WM_RBUTTONUP},
        std::pair{WM_MBUTTONDOWN, WM_MBUTTONUP}}) {
    SendMessageA(host.Display(), down, 0, At(10, 10));
    SendMessageA(host.Display(), up, 0, At(12, 10));
  }
  EXPECT_EQ(form.Count("picTARVEX_Click(1)"), 3);
  EXPECT_EQ(form.calls.size(), 3u);
}

TEST_F(SaverWindowHostTest, AReleaseOutsideTheDisplayOrWithoutAPressIsNoClick) {
  host.Picture(1).SetWidth(100);
  host.Picture(1).SetHeight(100);
  SendMessageA(host.Display(), WM_LBUTTONDOWN, 0, At(10, 10));
  SendMessageA(host.Display(), WM_LBUTTONUP, 0, At(150, 10));
  SendMessageA(host.Display(), WM_LBUTTONUP, 0, At(10, 10));
  EXPECT_TRUE(form.calls.empty());
}

TEST_F(SaverWindowHostTest, ClicksOnTheWindowItselfHaveNoHandler) {
  SendMessageA(host.Frame(), WM_LBUTTONDOWN, 0, At(3, 3));
  SendMessageA(host.Frame(), WM_LBUTTONUP, 0, At(3, 3));
  EXPECT_TRUE(form.calls.empty());
}

TEST_F(SaverWindowHostTest, TimerTicksReachTheFormOnlyWhileEnabled) {
  SendMessageA(host.Frame(), WM_TIMER, SaverWindow::kTimerId, 0);
  EXPECT_TRUE(form.calls.empty());
  host.Timer().SetInterval(10);
  host.Timer().SetEnabled(true);
  ASSERT_TRUE(PumpUntil([&] { return form.Count("tmrStr_Timer") >= 3; }));
  host.Timer().SetEnabled(false);
  const int ticks = form.Count("tmrStr_Timer");
  SendMessageA(host.Frame(), WM_TIMER, SaverWindow::kTimerId, 0);
  EXPECT_EQ(form.Count("tmrStr_Timer"), ticks);
}

class TimerInterval : public SaverWindowHostTest,
                      public ::testing::WithParamInterface<std::int32_t> {};

TEST_P(TimerInterval, IsKeptAsSetAndTheTimerStillTicks) {
  host.Timer().SetEnabled(true);
  host.Timer().SetInterval(GetParam());
  EXPECT_EQ(host.Timer().Interval(), GetParam());
  EXPECT_TRUE(host.Timer().Enabled());
  EXPECT_TRUE(PumpUntil([&] { return form.Count("tmrStr_Timer") >= 2; }));
}

INSTANTIATE_TEST_SUITE_P(Periods, TimerInterval, ::testing::Values(1, 25, 0, -100));

TEST_F(SaverWindowHostTest, AnUnloadRequestAsksTheFormWhichMayKeepTheWindow) {
  form.cancel = -1;
  host.RequestUnload();
  host.RequestUnload();
  EXPECT_EQ(form.Count("Form_Unload"), 2);
  EXPECT_TRUE(IsWindow(host.Frame()));
}

TEST_F(SaverWindowHostTest, TheSystemsCloseGoesThroughTheSameGuard) {
  form.cancel = -1;
  SendMessageA(host.Frame(), WM_CLOSE, 0, 0);
  EXPECT_EQ(form.calls, std::vector<std::string>{"Form_Unload"});
}

TEST_F(SaverWindowHostTest, TheModalShowActivatesAndEndsWhenTheFormLetsTheWindowGo) {
  int requests = 0;
  form.after = [&](const std::string& call) {
    if (call == "Form_Activate") {
      host.Timer().SetInterval(5);
      host.Timer().SetEnabled(true);
    } else if (call == "tmrStr_Timer" && form.Count("tmrStr_Timer") % 3 == 0) {
      form.cancel = ++requests == 1 ? -1 : 0;  // keep the window once, then let it go
      host.RequestUnload();
    }
  };
  host.ShowModal();
  EXPECT_EQ(form.Count("Form_Activate"), 1);
  EXPECT_EQ(form.Count("Form_Unload"), 2);
  EXPECT_EQ(form.Count("tmrStr_Timer"), 6);
  EXPECT_FALSE(host.Timer().Enabled());
  EXPECT_FALSE(IsWindowVisible(host.Frame()));
  host.RequestUnload();  // after the close: nothing more is asked
  EXPECT_EQ(form.Count("Form_Unload"), 2);
}

TEST_F(SaverWindowHostTest, AnErrorInAnEventProcedureEndsTheShowAndIsRaisedFromIt) {
  form.after = [&](const std::string& call) {
    if (call == "Form_Activate") throw runtime::RuntimeError(runtime::kOverflow);
  };
  try {
    host.ShowModal();
    FAIL() << "no error raised";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kOverflow);
  }
  SendMessageA(host.Frame(), WM_MOUSEMOVE, 0, At(1, 1));
  EXPECT_EQ(form.calls.size(), 1u);  // a closed window reports nothing more
}

// The GDI stretch-copy between the surfaces, as the crawl issues it.
class HostStretchBltTest : public SaverWindowHostTest {
 protected:
  HostStretchBltTest() {
    source.SetWidth(10);
    source.SetHeight(3);
    dest.SetWidth(10);
    dest.SetHeight(3);
    // One lit pixel at the left end of the middle row.
    source.SetForeColor(0xFFFFFF);
    SetPixel(source.Dc(), 0, 1, RGB(255, 255, 255));
  }

  GdiPictureSurface& source = host.Surface(0);
  GdiPictureSurface& dest = host.Surface(1);
};

TEST_F(HostStretchBltTest, ACopyOfEqualSizeIsExact) {
  ASSERT_TRUE(host.StretchBlt(dest, 0, 0, 10, 3, source, 0, 0, 10, 3, kSrcCopy));
  EXPECT_EQ(dest.Pixel(0, 1), 0xFFFFFFu);
  EXPECT_EQ(dest.Pixel(1, 1), 0u);
}

TEST_F(HostStretchBltTest, ANegativeWidthMirrors) {
  host.StretchBlt(dest, 9, 0, -10, 3, source, 0, 0, 10, 3, kSrcCopy);
  EXPECT_EQ(dest.Pixel(9, 1), 0xFFFFFFu);
  EXPECT_EQ(dest.Pixel(0, 1), 0u);
}

TEST_F(HostStretchBltTest, ABandOutsideTheDestinationChangesNothing) {
  host.StretchBlt(dest, 0, 5, 10, 3, source, 0, 0, 10, 3, kSrcCopy);
  host.StretchBlt(dest, 0, -7, 10, 3, source, 0, 0, 10, 3, kSrcCopy);
  for (int x = 0; x < 10; ++x) EXPECT_EQ(dest.Pixel(x, 1), 0u);
}

TEST_F(HostStretchBltTest, ACopyWithinOneSurfaceReadsTheImageAsItWas) {
  // Shift right by one, overlapping: only one lit pixel may result.
  host.StretchBlt(source, 1, 0, 9, 3, source, 0, 0, 9, 3, kSrcCopy);
  EXPECT_EQ(source.Pixel(1, 1), 0xFFFFFFu);
  EXPECT_EQ(source.Pixel(2, 1), 0u);
}

}  // namespace
}  // namespace tarvex::platform::win32
