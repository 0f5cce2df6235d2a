// The input rules: the first input event arms, the next qualifying one asks
// the window to close; a move qualifies only if it is not exactly where the
// move that armed was, on its own surface. And the close guard: the pointer
// counter, the running announcement and the password prompt, in order.

#include <algorithm>

#include "tests/support/case_name.h"
#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using ::testing::ElementsAreArray;

enum Kind { kFormKey, kPicKey, kClick, kFormMove, kPicMove };
struct Event {
  Kind kind;
  float x = 0, y = 0;
};

void Send(frmKORVAN& form, const Event& e) {
  if (e.kind == kFormKey) form.Form_KeyDown(65, 0);
  if (e.kind == kPicKey) form.picTARVEX_KeyDown(1, 27, 2);
  if (e.kind == kClick) form.picTARVEX_Click(1);
  if (e.kind == kFormMove) form.Form_MouseMove(0, 0, e.x, e.y);
  if (e.kind == kPicMove) form.picTARVEX_MouseMove(1, 0, 0, e.x, e.y);
}

struct InputCase {
  const char* name;
  std::vector<Event> events;
  int requests;  // unload requests asked of the window
};
TARVEX_PRINT_CASE_AS_NAME(InputCase)

using InputTest = SaverCaseTest<InputCase>;

TEST_P(InputTest, TheFirstEventArmsAndTheNextQualifyingOneAsksToClose) {
  Activate();
  for (const Event& e : GetParam().events) Send(*form, e);
  EXPECT_EQ(state.InputArmed, basKORVAN::kTrue);
  EXPECT_EQ(std::count(desktop.calls.begin(), desktop.calls.end(), "RequestUnload"),
            GetParam().requests);
  EXPECT_EQ(host->closed, GetParam().requests > 0) << "no password: a request closes";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Events, InputTest, ::testing::Values(
    InputCase{"KeyThenKeyCloses", {{kFormKey}, {kFormKey}}, 1},
    InputCase{"ClickThenDisplayKeyCloses", {{kClick}, {kPicKey}}, 1},
    InputCase{"FormMoveThenKeyCloses", {{kFormMove, 10, 20}, {kFormKey}}, 1},
    InputCase{"DisplayMoveThenClickCloses", {{kPicMove, 5, 6}, {kClick}}, 1},
    InputCase{"SamePlaceNeverCloses", {{kFormMove, 300, 400}, {kFormMove, 300, 400}, {kFormMove, 300, 400}}, 0},
    InputCase{"OnePixelRightCloses", {{kFormMove, 300, 400}, {kFormMove, 301, 400}}, 1},
    InputCase{"OnePixelUpCloses", {{kFormMove, 300, 400}, {kFormMove, 300, 399}}, 1},
    InputCase{"HalvesRecordedToEven", {{kFormMove, 2.5f, 3.5f}, {kFormMove, 2, 4}}, 0},
    InputCase{"UnroundedPlaceAgainCloses", {{kFormMove, 2.5f, 3.5f}, {kFormMove, 2.5f, 3.5f}}, 1},
    InputCase{"DisplayComparesWithItsOwnPair", {{kFormMove, 300, 400}, {kPicMove, 0, 0}}, 0},
    InputCase{"DisplayElsewhereCloses", {{kFormMove, 300, 400}, {kPicMove, 300, 400}}, 1},
    InputCase{"KeyLeavesBothPairsAtZero", {{kFormKey}, {kFormMove, 0, 0}, {kPicMove, 0, 0}}, 0},
    InputCase{"ClickThenAMoveOffZeroCloses", {{kClick}, {kPicMove, 0, 0}, {kFormMove, 0, 1}}, 1}),
    testing::CaseName());
// clang-format on

struct GuardCase {
  const char* name;
  std::int32_t usePassword;
  bool answer;
  std::vector<std::string> calls;  // after RequestUnload
  bool closes;
};
TARVEX_PRINT_CASE_AS_NAME(GuardCase)

using CloseGuardTest = SaverCaseTest<GuardCase>;

TEST_P(CloseGuardTest, OneRequestAfterArming) {
  state.UsePassword = GetParam().usePassword;
  desktop.password_answers = {GetParam().answer};
  Activate();
  form->picTARVEX_Click(1);
  desktop.calls.clear();
  form->picTARVEX_Click(1);
  EXPECT_THAT(desktop.calls, ElementsAreArray(GetParam().calls));
  EXPECT_EQ(host->closed, GetParam().closes);
}

const std::string kPrompt = "VerifyScreenSavePwd(" + std::to_string(0x5A17) + ")";
const std::string kOn = "SetScreenSaverRunning(1)", kShow = "ShowCursor(1)";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Requests, CloseGuardTest, ::testing::Values(
    GuardCase{"NoPasswordCloses", 0, true, {"RequestUnload", kShow, kShow}, true},
    GuardCase{"AnyNonZeroSwitchesTheCheckOn", -65536, true, {"RequestUnload", kShow, kOn, kPrompt, "SetScreenSaverRunning(0)", kShow}, true},
    GuardCase{"RefusedKeepsTheWindowAndThePointer", 1, false, {"RequestUnload", kShow, kOn, kPrompt, "ShowCursor(0)", kShow}, false}),
    testing::CaseName());
// clang-format on

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
