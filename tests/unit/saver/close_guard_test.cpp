// The close guard: the pointer counter, the running announcement and the
// password prompt, in their order, and the state after each request.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using basKORVAN::kFalse;
using basKORVAN::kTrue;
using ::testing::ElementsAreArray;

const std::string kPrompt = "VerifyScreenSavePwd(" + std::to_string(0x5A17) + ")";

struct GuardCase {
  const char* name;
  std::int32_t usePassword;
  std::deque<bool> answers;
  std::vector<std::string> calls;  // after RequestUnload
  int counterChange;
  bool closes;
};

class CloseGuardTest : public SaverFixture, public ::testing::WithParamInterface<GuardCase> {
 protected:
  // Loaded, composed and armed; the record starts at the closing input.
  void Arm() {
    Activate();
    form->picTARVEX_Click(1);
    desktop.calls.clear();
  }
};

TEST_P(CloseGuardTest, OneRequest) {
  const GuardCase& c = GetParam();
  state.UsePassword = c.usePassword;
  desktop.password_answers = c.answers;
  Arm();
  const int before = desktop.cursor_counter;
  form->picTARVEX_Click(1);
  std::vector<std::string> expected = {"RequestUnload"};
  expected.insert(expected.end(), c.calls.begin(), c.calls.end());
  EXPECT_THAT(desktop.calls, ElementsAreArray(expected));
  EXPECT_EQ(desktop.cursor_counter - before, c.counterChange);
  EXPECT_EQ(host->closed, c.closes);
  EXPECT_EQ(state.SkipNextUnload, c.closes ? kFalse : kTrue);
}

INSTANTIATE_TEST_SUITE_P(
    Requests, CloseGuardTest,
    ::testing::Values(GuardCase{"NoPassword", 0, {}, {"ShowCursor(1)", "ShowCursor(1)"}, 2, true},
                      GuardCase{"AnyNonZeroSwitchesTheCheckOn",
                                -65536,
                                {true},
                                {"ShowCursor(1)", "SetScreenSaverRunning(1)", kPrompt,
                                 "SetScreenSaverRunning(0)", "ShowCursor(1)"},
                                2,
                                true},
                      GuardCase{"Accepted",
                                1,
                                {true},
                                {"ShowCursor(1)", "SetScreenSaverRunning(1)", kPrompt,
                                 "SetScreenSaverRunning(0)", "ShowCursor(1)"},
                                2,
                                true},
                      GuardCase{"Refused",
                                1,
                                {false},
                                {"ShowCursor(1)", "SetScreenSaverRunning(1)", kPrompt,
                                 "ShowCursor(0)", "ShowCursor(1)"},
                                1,
                                false}),
    [](const auto& info) { return std::string(info.param.name); });

class RefusedTest : public SaverFixture {};

TEST_F(RefusedTest, TheNextRequestIsSwallowedAndTheOneAfterPromptsAgain) {
  state.UsePassword = 1;
  desktop.password_answers = {false, true};
  Activate();
  EXPECT_EQ(desktop.cursor_counter, -1);
  form->Form_KeyDown(0, 0);  // arms
  form->Form_KeyDown(0, 0);  // refused
  EXPECT_EQ(desktop.cursor_counter, 0) << "visible over the running saver";
  EXPECT_TRUE(desktop.screen_saver_running) << "the announcement is not withdrawn";

  desktop.calls.clear();
  form->Form_KeyDown(0, 0);  // swallowed
  EXPECT_THAT(desktop.calls, ElementsAreArray({"RequestUnload"}));
  EXPECT_EQ(state.SkipNextUnload, kFalse);
  EXPECT_EQ(desktop.cursor_counter, 0);
  EXPECT_FALSE(host->closed);

  form->Form_KeyDown(0, 0);  // accepted
  EXPECT_TRUE(host->closed);
  EXPECT_EQ(desktop.cursor_counter, 2);
  EXPECT_FALSE(desktop.screen_saver_running);
}

TEST_F(RefusedTest, EveryRefusedAttemptRaisesTheCounterByOne) {
  state.UsePassword = 1;
  Activate();
  form->picTARVEX_Click(1);
  for (int attempt = 1; attempt <= 3; ++attempt) {
    form->picTARVEX_Click(1);  // refused
    form->picTARVEX_Click(1);  // swallowed
    EXPECT_EQ(desktop.cursor_counter, attempt - 1);
  }
  EXPECT_FALSE(host->closed);
}

TEST_F(RefusedTest, TheModalShowEndsWhenTheWindowCloses) {
  Load();
  host->onShowModal = [this](testing::FakeSaverWindowHost& window) {
    window.form->Form_Activate();
    window.form->tmrStr_Timer();
    window.form->Form_MouseMove(0, 0, 5, 5);
    window.form->Form_MouseMove(0, 0, 5, 6);
  };
  form->ShowModal();
  EXPECT_TRUE(host->closed);
  EXPECT_EQ(desktop.cursor_counter, 1);
}

}  // namespace
}  // namespace tarvex::saver::test
