// The settings dialog shown modally: the keys (Enter only on a focused
// button, Escape never closes), clicks, closing by the frame, errors from an
// event procedure, and the choosers' answers.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/dialog_choosers.h"
#include "platform/win32/dialog_window_host.h"
#include "runtime/runtime_error.h"

namespace tarvex::platform::win32 {
namespace {

using dialog::ControlId;

class RecordingEvents : public DialogEvents {
 public:
  explicit RecordingEvents(DialogWindowHost& host) : host_(host) {}

  std::vector<std::string> calls;
  std::function<void()> onOK = [this] { host_.Close(); };

  void cmdSansyo_Click() override { calls.emplace_back("cmdSansyo_Click"); }
  void cmdMP3_Click() override { calls.emplace_back("cmdMP3_Click"); }
  void lblCol_Click() override { calls.emplace_back("lblCol_Click"); }
  void cmdOK_Click() override {
    calls.emplace_back("cmdOK_Click");
    onOK();
  }
  void cmdEXIT_Click() override {
    calls.emplace_back("cmdEXIT_Click");
    host_.Close();
  }

 private:
  DialogWindowHost& host_;
};

// Runs `action` from a thread timer, while a modal loop serves messages,
// until it reports that it is done: a chooser may show late on a busy machine.
std::function<bool()>* pendingAction = nullptr;

void CALLBACK RunPendingAction(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  if (pendingAction == nullptr || (*pendingAction)()) KillTimer(nullptr, timer);
}

void Soon(std::function<bool()>& action) {
  pendingAction = &action;
  SetTimer(nullptr, 0, 50, RunPendingAction);
}

// The chooser window this thread shows (a system dialog box).
HWND ChooserWindow() {
  HWND found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        char name[16] = {};
        GetClassNameA(window, name, sizeof name);
        if (std::string(name) != "#32770" || IsWindowVisible(window) == FALSE) return TRUE;
        *AsPointer<HWND>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Presses a button of the chooser once it shows.
std::function<bool()> PressInChooser(WPARAM button) {
  return [button] {
    const HWND chooser = ChooserWindow();
    if (chooser != nullptr) SendMessageA(chooser, WM_COMMAND, button, 0);
    return chooser != nullptr;
  };
}

class DialogModalTest : public ::testing::Test {
 protected:
  HWND Window() { return host.Window().Window(); }
  HWND Control(ControlId id) { return host.Window().Control(id); }
  void Key(WPARAM key) { PostMessageW(Window(), WM_KEYDOWN, key, 0); }

  Win32DialogWindowHost host;
  RecordingEvents events{host};
};

TEST_F(DialogModalTest, OpensWithTheFocusOnSaveAndEnterThereSavesWhileEscapeDoesNothing) {
  HWND focused = nullptr;
  std::function<bool()> look = [&] {
    focused = GetFocus();
    Key(VK_ESCAPE);
    Key(VK_RETURN);
    return true;
  };
  Soon(look);
  host.ShowModal(events);
  EXPECT_EQ(focused, Control(ControlId::cmdOK));
  EXPECT_EQ(events.calls, std::vector<std::string>{"cmdOK_Click"});
  EXPECT_FALSE(IsWindowVisible(Window()));
}

TEST_F(DialogModalTest, EnterInATextBoxOrAListActsOnNothing) {
  for (int i = 0; i < 4; ++i) Key(VK_TAB);  // cmdEXIT, cmbFont, cmbSize, txtFile
  Key(VK_RETURN);
  Key(VK_TAB);  // cmdSansyo
  Key(VK_RETURN);
  PostMessageW(Window(), WM_CLOSE, 0, 0);
  host.ShowModal(events);
  EXPECT_EQ(events.calls, std::vector<std::string>{"cmdSansyo_Click"});
}

TEST_F(DialogModalTest, ButtonAndSwatchClicksReachTheirProcedures) {
  PostMessageW(Control(ControlId::cmdMP3), BM_CLICK, 0, 0);
  PostMessageW(Control(ControlId::lblCol), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
  PostMessageW(Control(ControlId::lblCol), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
  PostMessageW(Control(ControlId::cmdEXIT), BM_CLICK, 0, 0);
  host.ShowModal(events);
  EXPECT_EQ(events.calls,
            (std::vector<std::string>{"cmdMP3_Click", "lblCol_Click", "cmdEXIT_Click"}));
}

TEST_F(DialogModalTest, ClosingTheFrameEndsTheShowWithoutAnyProcedure) {
  PostMessageW(Window(), WM_SYSCOMMAND, SC_CLOSE, 0);
  host.ShowModal(events);
  EXPECT_TRUE(events.calls.empty());
  EXPECT_TRUE(host.Window().Closed());
}

TEST_F(DialogModalTest, AnErrorInAProcedureClosesTheDialogAndIsRaisedFromTheShow) {
  events.onOK = [] { throw runtime::RuntimeError(runtime::kOverflow); };
  Key(VK_RETURN);
  Key(VK_RETURN);
  try {
    host.ShowModal(events);
    FAIL() << "no error raised";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kOverflow);
  }
  EXPECT_EQ(events.calls, std::vector<std::string>{"cmdOK_Click"});
}

struct ColourCase {
  std::int32_t initial;
  std::int32_t expected;
};

class ColourChooser : public DialogModalTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(ColourChooser, ConfirmedGivesRedPlus256GreenPlus65536Blue) {
  std::function<bool()> confirm = PressInChooser(IDOK);
  Soon(confirm);
  EXPECT_EQ(host.ShowColorChooser(GetParam().initial), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Colours, ColourChooser,
                         ::testing::Values(ColourCase{255, 255}, ColourCase{0xFF0000, 0xFF0000},
                                           ColourCase{0x00123456, 0x00123456}));

TEST_F(DialogModalTest, ACancelledColourChooserGivesNothing) {
  std::function<bool()> cancel = PressInChooser(IDCANCEL);
  Soon(cancel);
  EXPECT_EQ(host.ShowColorChooser(255), std::nullopt);
}

TEST_F(DialogModalTest, ACancelledFileChooserGivesNothing) {
  std::function<bool()> cancel = PressInChooser(IDCANCEL);
  Soon(cancel);
  EXPECT_EQ(host.ShowOpenChooser({{"*.*", ""}, {"*.txt", ""}}, 1, "C:\\readme.txt"), std::nullopt);
}

struct FilterCase {
  std::vector<FileTypeFilter> filters;
  std::string expected;
};

class FileChooserFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileChooserFilter, IsLabelAndPatternPairsEndingInTwoNuls) {
  EXPECT_EQ(OpenChooserFilter(GetParam().filters), GetParam().expected);
}

using namespace std::string_literals;
INSTANTIATE_TEST_SUITE_P(Lists, FileChooserFilter,
                         ::testing::Values(
                             // The dialog's "*.*||*.txt": an empty pattern lets every file through.
                             FilterCase{{{"*.*", ""}, {"*.txt", ""}}, "*.*\0*.*\0*.txt\0*.*\0\0"s},
                             FilterCase{{{"テキスト", "*.txt;*.log"}},
                                        "\x83\x65\x83\x4C\x83\x58\x83\x67\0*.txt;*.log\0\0"s},
                             FilterCase{{{"a\0b"s, "*.mp3"}}, "ab\0*.mp3\0\0"s},
                             FilterCase{{}, "\0"s}));

}  // namespace
}  // namespace tarvex::platform::win32
