// The input rules: the first input event arms, the next qualifying one asks
// the window to close; a move qualifies only if it is not exactly where the
// move that armed was, on its own surface. And the close guard: the pointer
// counter, the running announcement and the password prompt, in order.

#include <deque>
#include <string>
#include <vector>

#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using basKORVAN::kFalse;
using basKORVAN::kTrue;
using ::testing::ElementsAreArray;

enum Kind { kFormKey, kPicKey, kClick, kFormMove, kPicMove };
struct Event {
  Kind kind;
  float x = 0, y = 0;
};

struct InputCase {
  const char* name;
  std::vector<Event> events;
  int requests;  // unload requests asked of the window
};
TARVEX_PRINT_CASE_AS_NAME(InputCase)

// clang-format off
const InputCase kInputs[] = {
    {"FormKeyOnlyArms", {{kFormKey}}, 0},
    {"DisplayKeyOnlyArms", {{kPicKey}}, 0},
    {"ClickOnlyArms", {{kClick}}, 0},
    {"FormMoveOnlyArms", {{kFormMove, 10, 20}}, 0},
    {"DisplayMoveOnlyArms", {{kPicMove, 5, 6}}, 0},
    {"KeyThenKeyCloses", {{kFormKey}, {kFormKey}}, 1},
    {"ClickThenDisplayKeyCloses", {{kClick}, {kPicKey}}, 1},
    {"DisplayKeyThenClickCloses", {{kPicKey}, {kClick}}, 1},
    {"FormMoveThenKeyCloses", {{kFormMove, 10, 20}, {kFormKey}}, 1},
    {"DisplayMoveThenClickCloses", {{kPicMove, 5, 6}, {kClick}}, 1},
    {"SamePlaceNeverCloses", {{kFormMove, 300, 400}, {kFormMove, 300, 400}, {kFormMove, 300, 400}}, 0},
    {"OnePixelRightCloses", {{kFormMove, 300, 400}, {kFormMove, 301, 400}}, 1},
    {"OnePixelUpCloses", {{kFormMove, 300, 400}, {kFormMove, 300, 399}}, 1},
    {"HalvesRecordedToEven", {{kFormMove, 2.5f, 3.5f}, {kFormMove, 2, 4}}, 0},
    {"UnroundedPlaceAgainCloses", {{kFormMove, 2.5f, 3.5f}, {kFormMove, 2.5f, 3.5f}}, 1},
    {"DisplayComparesWithItsOwnPair", {{kFormMove, 300, 400}, {kPicMove, 0, 0}}, 0},
    {"DisplayElsewhereCloses", {{kFormMove, 300, 400}, {kPicMove, 300, 400}}, 1},
    {"KeyLeavesBothPairsAtZero", {{kFormKey}, {kFormMove, 0, 0}, {kPicMove, 0, 0}}, 0},
    {"ClickThenAMoveOffZeroCloses", {{kClick}, {kPicMove, 0, 0}, {kFormMove, 0, 1}}, 1},
};
// clang-format on

class InputTest : public SaverCaseTest<InputCase> {
 protected:
  void Fire(const Event& e) {
    switch (e.kind) {
      case kFormKey:
        return form->Form_KeyDown(65, 0);
      case kPicKey:
        return form->picTARVEX_KeyDown(1, 27, 2);
      case kClick:
        return form->picTARVEX_Click(1);
      case kFormMove:
        return form->Form_MouseMove(0, 0, e.x, e.y);
      case kPicMove:
        return form->picTARVEX_MouseMove(1, 0, 0, e.x, e.y);
    }
  }
};

TEST_P(InputTest, TheFirstEventArmsAndTheNextQualifyingOneAsksToClose) {
  Activate();
  for (const Event& e : GetParam().events) Fire(e);
  EXPECT_EQ(state.InputArmed, kTrue);
  EXPECT_EQ(host->unloadRequests, GetParam().requests);
  EXPECT_EQ(host->closed, GetParam().requests > 0) << "no password: a request closes";
}

INSTANTIATE_TEST_SUITE_P(Events, InputTest, ::testing::ValuesIn(kInputs), testing::CaseName());

struct GuardCase {
  const char* name;
  std::int32_t usePassword;
  std::deque<bool> answers;
  std::vector<std::string> calls;  // after RequestUnload
  bool closes;
};
TARVEX_PRINT_CASE_AS_NAME(GuardCase)

const std::string kPrompt = "VerifyScreenSavePwd(" + std::to_string(0x5A17) + ")";
const std::string kOn = "SetScreenSaverRunning(1)", kShow = "ShowCursor(1)";
// clang-format off
const GuardCase kGuards[] = {
    {"NoPasswordCloses", 0, {}, {kShow, kShow}, true},
    {"AnyNonZeroSwitchesTheCheckOn", -65536, {true}, {kShow, kOn, kPrompt, "SetScreenSaverRunning(0)", kShow}, true},
    {"AcceptedCloses", 1, {true}, {kShow, kOn, kPrompt, "SetScreenSaverRunning(0)", kShow}, true},
    {"RefusedKeepsTheWindowAndThePointer", 1, {false}, {kShow, kOn, kPrompt, "ShowCursor(0)", kShow}, false},
};
// clang-format on

using CloseGuardTest = SaverCaseTest<GuardCase>;

TEST_P(CloseGuardTest, OneRequestAfterArming) {
  state.UsePassword = GetParam().usePassword;
  desktop.password_answers = GetParam().answers;
  Activate();
  form->picTARVEX_Click(1);
  desktop.calls.clear();
  form->picTARVEX_Click(1);
  std::vector<std::string> expected = {"RequestUnload"};
  expected.insert(expected.end(), GetParam().calls.begin(), GetParam().calls.end());
  EXPECT_THAT(desktop.calls, ElementsAreArray(expected));
  EXPECT_EQ(host->closed, GetParam().closes);
  EXPECT_EQ(state.SkipNextUnload, GetParam().closes ? kFalse : kTrue);
}

INSTANTIATE_TEST_SUITE_P(Requests, CloseGuardTest, ::testing::ValuesIn(kGuards),
                         testing::CaseName());

class RefusedTest : public SaverFixture {};

TEST_F(RefusedTest, EachRefusalSwallowsTheNextRequestAndTheOneAfterPromptsAgain) {
  state.UsePassword = 1;
  desktop.password_answers = {false, false, true};
  Activate();
  form->Form_KeyDown(0, 0);  // arms
  for (int attempt = 1; attempt <= 2; ++attempt) {
    form->Form_KeyDown(0, 0);  // refused
    EXPECT_TRUE(desktop.screen_saver_running) << "the announcement is not withdrawn";
    desktop.calls.clear();
    form->Form_KeyDown(0, 0);  // swallowed
    EXPECT_THAT(desktop.calls, ElementsAreArray({"RequestUnload"}));
    EXPECT_EQ(desktop.cursor_counter, attempt - 1) << "one up per refusal";
    EXPECT_FALSE(host->closed);
  }
  form->Form_KeyDown(0, 0);  // accepted
  EXPECT_TRUE(host->closed);
  EXPECT_EQ(desktop.cursor_counter, 3);
  EXPECT_FALSE(desktop.screen_saver_running);
}

}  // namespace
}  // namespace tarvex::saver::test
