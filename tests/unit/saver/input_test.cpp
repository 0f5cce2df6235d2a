// The input rules: the first input event arms, the next qualifying one asks
// the window to close; a move qualifies only if it is not exactly where the
// move that armed was, on its own surface. And the close guard: the pointer
// counter, the running announcement and the password prompt, in order.

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

using InputTest = SaverCaseTest<InputCase>;

TEST_P(InputTest, TheFirstEventArmsAndTheNextQualifyingOneAsksToClose) {
  Activate();
  for (const Event& e : GetParam().events) {
    switch (e.kind) {
      case kFormKey:
        form->Form_KeyDown(65, 0);
        break;
      case kPicKey:
        form->picTARVEX_KeyDown(1, 27, 2);
        break;
      case kClick:
        form->picTARVEX_Click(1);
        break;
      case kFormMove:
        form->Form_MouseMove(0, 0, e.x, e.y);
        break;
      case kPicMove:
        form->picTARVEX_MouseMove(1, 0, 0, e.x, e.y);
    }
  }
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
    {"NoPasswordCloses", 0, {}, {"RequestUnload", kShow, kShow}, true},
    {"AnyNonZeroSwitchesTheCheckOn", -65536, {true}, {"RequestUnload", kShow, kOn, kPrompt, "SetScreenSaverRunning(0)", kShow}, true},
    {"AcceptedCloses", 1, {true}, {"RequestUnload", kShow, kOn, kPrompt, "SetScreenSaverRunning(0)", kShow}, true},
    {"RefusedKeepsTheWindowAndThePointer", 1, {false}, {"RequestUnload", kShow, kOn, kPrompt, "ShowCursor(0)", kShow}, false},
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
  EXPECT_THAT(desktop.calls, ElementsAreArray(GetParam().calls));
  EXPECT_EQ(host->closed, GetParam().closes);
}

INSTANTIATE_TEST_SUITE_P(Requests, CloseGuardTest, ::testing::ValuesIn(kGuards),
                         testing::CaseName());

// A refused password swallows the next request, so that the input that
// follows the prompt does not bring it straight back; the one after asks again.
using RefusedPasswordTest = SaverFixture;

TEST_F(RefusedPasswordTest, EachRefusalSwallowsTheNextRequestAndTheOneAfterPromptsAgain) {
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
  }
  form->Form_KeyDown(0, 0);  // accepted
  EXPECT_TRUE(host->closed);
  EXPECT_EQ(desktop.cursor_counter, 3);
  EXPECT_FALSE(desktop.screen_saver_running);
}

}  // namespace
}  // namespace tarvex::saver::test
