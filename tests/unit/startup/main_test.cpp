// Main's courses that need no window: the single-instance test, preview,
// password change, and the error report.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "startup/basKORVAN.h"
#include "tests/support/fake_desktop.h"
#include "tests/support/temp_dir.h"

namespace tarvex::basKORVAN {
namespace {

using testing::FakeDesktop;
using testing::TempDir;

class MainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.str().c_str(), 1);
    desktop_.program_directory = dir_.str();
  }

  int Run(const std::string& commandLine) {
    desktop_.command_line = commandLine;
    return Main(desktop_);
  }

  bool Called(const std::string& prefix) const {
    return std::any_of(desktop_.calls.begin(), desktop_.calls.end(),
                       [&](const std::string& call) { return call.starts_with(prefix); });
  }

  TempDir dir_;
  TempDir config_;
  FakeDesktop desktop_;
};

TEST_F(MainTest, SecondInstanceEndsAtOnceWhateverTheSwitch) {
  desktop_.previous_instance = true;
  dir_.Write("tarvex.ini", "[TARVEX]\r\nTIME=99999\r\n");
  for (const char* line : {"/c", "/s", "/a", ""}) {
    desktop_.calls.clear();
    EXPECT_EQ(Run(line), 0);
    EXPECT_EQ(desktop_.calls, std::vector<std::string>{"PreviousInstanceRunning"}) << line;
  }
}

TEST_F(MainTest, PreviewEndsWithoutReadingTheMessageFile) {
  dir_.Write("tarvex.ini", "[TARVEX]\r\nFILE=/no/such/message.txt\r\n");
  EXPECT_EQ(Run("/p 1234"), 0);
  EXPECT_EQ(desktop_.calls, std::vector<std::string>{"PreviousInstanceRunning"});
}

TEST_F(MainTest, PasswordChangeGetsTheParentHandle) {
  EXPECT_EQ(Run("/a 1234"), 0);
  EXPECT_TRUE(Called("PwdChangePasswordA(SCRSAVE,1234)"));
  desktop_.calls.clear();
  EXPECT_EQ(Run("/A"), 0);
  EXPECT_TRUE(Called("PwdChangePasswordA(SCRSAVE,0)"));
}

TEST_F(MainTest, HandleOutOfRangeIsReportedAndNoDialogShown) {
  EXPECT_EQ(Run("/a 99999"), 1);
  EXPECT_FALSE(Called("PwdChangePasswordA"));
  EXPECT_TRUE(Called("MessageBox(実行時エラー 6: "));
}

TEST_F(MainTest, SettingOverflowIsReportedBeforeAnyWindowInEveryMode) {
  dir_.Write("tarvex.ini", "[TARVEX]\r\nTIME=1311\r\n");
  for (const char* line : {"/p", "/c", "/s"}) {
    desktop_.calls.clear();
    EXPECT_EQ(Run(line), 1) << line;
    EXPECT_FALSE(Called("Create")) << line;
    EXPECT_TRUE(Called("MessageBox(実行時エラー 6: ")) << line;
  }
}

TEST_F(MainTest, MissingMessageFileIsReportedWithItsNameAndNoSaverWindow) {
  EXPECT_EQ(Run("/s"), 1);
  EXPECT_FALSE(Called("CreateSaverWindowHost"));
  EXPECT_TRUE(Called("MessageBox(実行時エラー 53: "));
  EXPECT_TRUE(Called("MessageBox(実行時エラー 53: ") &&
              desktop_.calls.back().find(dir_.str() + "/readme.txt") != std::string::npos);
}

}  // namespace
}  // namespace tarvex::basKORVAN
