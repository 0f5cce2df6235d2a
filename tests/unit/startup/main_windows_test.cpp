// Main's courses with a window: the settings dialog and the saver, on fake
// hosts; the music stop after the saver, with and without the library.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "startup/basKORVAN.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/fake_dialog_host.h"
#include "tests/support/fake_saver_host.h"
#include "tests/support/temp_dir.h"
#include "tests/unit/music/fake_library.h"

namespace tarvex::basKORVAN {
namespace {

using testing::FakeDesktop;
using testing::FakeSaverWindowHost;
using testing::TempDir;

class MainWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.str().c_str(), 1);
    desktop_.program_directory = dir_.str();
    dir_.Write("tarvex.ini", "[TARVEX]\r\nTIME=4\r\nFONTCOLOR=255\r\n");
    dir_.Write("readme.txt", "one\r\ntwo\r\n");
    desktop_.saver_host_factory = [this] {
      auto host = std::make_unique<FakeSaverWindowHost>(1024, 768);
      host->SetJournal(&journal_);
      host->recordBlits = false;
      // The user: the window is activated, one tick runs, two clicks end it.
      host->onShowModal = [this](FakeSaverWindowHost& window) {
        window.form->Form_Activate();
        window.form->tmrStr_Timer();
        window.form->picTARVEX_Click(1);
        window.form->picTARVEX_Click(1);
        closed_ = window.closed;
      };
      return host;
    };
  }

  void InstallFakeLibrary() {
    std::filesystem::copy_file(std::string(FAKE_VBMP3_COMPLETE_DIR) + "libvbmp3.so",
                               dir_.path() / "libvbmp3.so");
  }

  std::size_t IndexOf(const std::string& entry) const {
    return static_cast<std::size_t>(
        std::find(journal_.begin(), journal_.end(), entry) - journal_.begin());
  }

  TempDir dir_;
  TempDir config_;
  FakeDesktop desktop_;
  std::vector<std::string> journal_;
  bool closed_ = false;
};

TEST_F(MainWindowsTest, SaverSetsThePeriodAfterTheLoadAndStopsTheMusicAfterTheClose) {
  InstallFakeLibrary();
  testing::FakeLibrary fake(dir_.str() + "/");
  fake.Reset();
  desktop_.command_line = "/s";
  EXPECT_EQ(Main(desktop_), 0);
  EXPECT_TRUE(closed_);
  // The load hid the pointer before the period was set, and the show came after.
  const auto hidden = std::find(desktop_.calls.begin(), desktop_.calls.end(), "ShowCursor(0)");
  EXPECT_NE(hidden, desktop_.calls.end());
  EXPECT_LT(IndexOf("SetInterval(100)"), IndexOf("ShowModal"));
  EXPECT_LT(IndexOf("ShowModal"), journal_.size());
  const std::string calls = fake.Calls();
  EXPECT_TRUE(calls.ends_with("stop encodeStop getState(0) getEncodeState(0,0)")) << calls;
}

TEST_F(MainWindowsTest, SaverWithoutThePlaybackLibraryEndsWithTheReportAfterTheClose) {
  desktop_.command_line = "/S";
  EXPECT_EQ(Main(desktop_), 1);
  EXPECT_TRUE(closed_) << "the window ran and closed first";
  ASSERT_FALSE(desktop_.calls.empty());
  EXPECT_TRUE(desktop_.calls.back().starts_with("MessageBox(実行時エラー 48: "))
      << desktop_.calls.back();
}

TEST_F(MainWindowsTest, SettingsModeShowsTheDialogAndNeverReadsTheMessageFile) {
  dir_.Write("tarvex.ini", "[TARVEX]\r\nFILE=/no/such/message.txt\r\n");
  testing::FakeDialogHost dialog;
  desktop_.dialog_host_factory = [&] {
    return std::make_unique<testing::BorrowedDialogHost>(dialog);
  };
  for (const char* line : {"", "/c", "/C", "/c:1234"}) {
    desktop_.calls.clear();
    desktop_.command_line = line;
    EXPECT_EQ(Main(desktop_), 0) << line;
    EXPECT_FALSE(std::count(desktop_.calls.begin(), desktop_.calls.end(), "CreateSaverWindowHost"));
  }
  EXPECT_EQ(dialog.show_count, 4);
}

}  // namespace
}  // namespace tarvex::basKORVAN
