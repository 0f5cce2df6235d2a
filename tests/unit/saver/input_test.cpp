// The input rules: the first input event arms, the next qualifying one asks
// the window to close; pointer moves compare against the recorded position.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using basKORVAN::kFalse;
using basKORVAN::kTrue;

struct InputEvent {
  const char* name;
  std::function<void(frmKORVAN&)> fire;
};

const InputEvent kFormKey{"Form_KeyDown", [](frmKORVAN& f) { f.Form_KeyDown(65, 0); }};
const InputEvent kPicKey{"picTARVEX_KeyDown", [](frmKORVAN& f) { f.picTARVEX_KeyDown(1, 27, 2); }};
const InputEvent kClick{"picTARVEX_Click", [](frmKORVAN& f) { f.picTARVEX_Click(1); }};
const InputEvent kFormMove{"Form_MouseMove", [](frmKORVAN& f) { f.Form_MouseMove(0, 0, 10, 20); }};
const InputEvent kPicMove{"picTARVEX_MouseMove",
                          [](frmKORVAN& f) { f.picTARVEX_MouseMove(1, 1, 0, 5, 6); }};
// Moves that differ from every position the events above record.
const InputEvent kFormMoveElsewhere{"Form_MouseMove elsewhere",
                                    [](frmKORVAN& f) { f.Form_MouseMove(0, 0, 11, 20); }};
const InputEvent kPicMoveElsewhere{"picTARVEX_MouseMove elsewhere",
                                   [](frmKORVAN& f) { f.picTARVEX_MouseMove(1, 0, 0, 5, 7); }};

class InputTest : public SaverFixture {
 protected:
  void SetUp() override {
    SaverFixture::SetUp();
    Activate();
  }
};

class FirstEventTest : public InputTest, public ::testing::WithParamInterface<InputEvent> {};

TEST_P(FirstEventTest, OnlyArms) {
  GetParam().fire(*form);
  EXPECT_EQ(state.InputArmed, kTrue);
  EXPECT_EQ(host->unloadRequests, 0);
  EXPECT_FALSE(host->closed);
}

INSTANTIATE_TEST_SUITE_P(Events, FirstEventTest,
                         ::testing::Values(kFormKey, kPicKey, kClick, kFormMove, kPicMove),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputTest, MovesRecordTheirOwnSurfacesPairRounded) {
  form->Form_MouseMove(0, 0, 2.5f, 3.5f);
  EXPECT_EQ(form->FormMouseX, 2) << "halves go to the even neighbour";
  EXPECT_EQ(form->FormMouseY, 4);
  EXPECT_EQ(form->PicMouseX, 0);
  EXPECT_EQ(form->PicMouseY, 0);
}

class SecondEventTest : public InputTest,
                        public ::testing::WithParamInterface<std::tuple<InputEvent, InputEvent>> {};

TEST_P(SecondEventTest, AQualifyingEventClosesWithoutPassword) {
  std::get<0>(GetParam()).fire(*form);
  std::get<1>(GetParam()).fire(*form);
  EXPECT_EQ(host->unloadRequests, 1);
  EXPECT_TRUE(host->closed);
}

INSTANTIATE_TEST_SUITE_P(
    Pairs, SecondEventTest,
    ::testing::Combine(::testing::Values(kFormKey, kPicKey, kClick, kFormMove, kPicMove),
                       ::testing::Values(kFormKey, kPicKey, kClick, kFormMoveElsewhere,
                                         kPicMoveElsewhere)));

TEST_F(InputTest, MovesAtTheRecordedPositionNeverClose) {
  form->Form_MouseMove(0, 0, 300, 400);
  form->picTARVEX_MouseMove(1, 0, 0, 0, 0);
  for (int i = 0; i < 100; ++i) {
    form->Form_MouseMove(1, 1, 300, 400);
    form->picTARVEX_MouseMove(1, 0, 0, 0, 0);
  }
  EXPECT_EQ(host->unloadRequests, 0);
}

struct MoveCase {
  const char* name;
  float armX, armY;  // where a move over the window armed
  bool overDisplay;  // where the second move is reported
  float x, y;
  bool closes;
};

class SecondMoveTest : public InputTest, public ::testing::WithParamInterface<MoveCase> {};

TEST_P(SecondMoveTest, ComparesExactlyWithItsOwnSurfacesPair) {
  const MoveCase& c = GetParam();
  form->Form_MouseMove(0, 0, c.armX, c.armY);
  if (c.overDisplay) {
    form->picTARVEX_MouseMove(1, 0, 0, c.x, c.y);
  } else {
    form->Form_MouseMove(0, 0, c.x, c.y);
  }
  EXPECT_EQ(host->unloadRequests, c.closes ? 1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, SecondMoveTest,
    ::testing::Values(MoveCase{"SamePlace", 300, 400, false, 300, 400, false},
                      MoveCase{"OnePixelRight", 300, 400, false, 301, 400, true},
                      MoveCase{"OnePixelUp", 300, 400, false, 300, 399, true},
                      MoveCase{"RoundedPlace", 2.5f, 3.5f, false, 2, 4, false},
                      MoveCase{"UnroundedPlaceAgain", 2.5f, 3.5f, false, 2.5f, 3.5f, true},
                      MoveCase{"DisplayTopLeft", 300, 400, true, 0, 0, false},
                      MoveCase{"DisplayElsewhere", 300, 400, true, 300, 400, true}),
    [](const auto& info) { return std::string(info.param.name); });

class ArmedByKeyOrClickTest : public InputTest, public ::testing::WithParamInterface<InputEvent> {};

TEST_P(ArmedByKeyOrClickTest, BothPairsStayAtZero) {
  GetParam().fire(*form);
  form->Form_MouseMove(0, 0, 0, 0);
  form->picTARVEX_MouseMove(1, 0, 0, 0, 0);
  EXPECT_EQ(host->unloadRequests, 0) << "a move reported exactly at (0, 0) does not close";
  form->Form_MouseMove(0, 0, 0, 1);
  EXPECT_EQ(host->unloadRequests, 1);
}

INSTANTIATE_TEST_SUITE_P(Events, ArmedByKeyOrClickTest,
                         ::testing::Values(kFormKey, kPicKey, kClick),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(InputTest, ArmingNeverClearsAgain) {
  state.UsePassword = 1;
  kClick.fire(*form);
  for (int i = 0; i < 4; ++i) kClick.fire(*form);
  EXPECT_EQ(state.InputArmed, kTrue);
  EXPECT_EQ(state.SkipNextUnload, kFalse) << "refused, swallowed, refused, swallowed";
  EXPECT_EQ(host->unloadRequests, 4);
}

}  // namespace
}  // namespace tarvex::saver::test
