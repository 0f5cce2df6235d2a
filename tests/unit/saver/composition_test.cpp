// Page composition: layout, the two printing passes, the page copy, and
// what a second activation does.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using testing::BlitRecord;

class CompositionTest : public SaverFixture {};

struct LayoutCase {
  float screenWidth, screenHeight;
  float displayWidth, displayHeight;
};

class LayoutTest : public CompositionTest, public ::testing::WithParamInterface<LayoutCase> {};

TEST_P(LayoutTest, DisplayInsideAMarginPageAsHighAsTheScreen) {
  const LayoutCase& c = GetParam();
  screenWidth = c.screenWidth;
  screenHeight = c.screenHeight;
  SetMessage({"one"});
  Activate();
  EXPECT_FLOAT_EQ(Display().Left(), 100);
  EXPECT_FLOAT_EQ(Display().Top(), 100);
  EXPECT_FLOAT_EQ(Display().Width(), c.displayWidth);
  EXPECT_FLOAT_EQ(Display().Height(), c.displayHeight);
  EXPECT_FLOAT_EQ(Page().Width(), 696) << "the page keeps its design width";
  EXPECT_FLOAT_EQ(Page().Height(), c.screenHeight);
  EXPECT_FLOAT_EQ(Copy().Width(), 696);
  EXPECT_FLOAT_EQ(Copy().Height(), c.screenHeight);
  const int h = static_cast<int>(c.screenHeight);
  EXPECT_THAT(host->blits, ::testing::ElementsAre(
                               BlitRecord{0, 0, 0, 696, h, 2, 0, 0, 696, h, platform::kSrcCopy}));
  EXPECT_TRUE(host->timer.Enabled());
}

INSTANTIATE_TEST_SUITE_P(Screens, LayoutTest,
                         ::testing::Values(LayoutCase{1024, 768, 824, 568},
                                           LayoutCase{640, 480, 440, 280},
                                           LayoutCase{1920, 1080, 1720, 880},
                                           LayoutCase{768, 1024, 568, 824},
                                           LayoutCase{7680, 4320, 7480, 4120}));

TEST_F(CompositionTest, LinesStandOneBelowTheOtherFromTheTopLeft) {
  SetMessage({"first", "", "third"});
  state.Settings.FontColor = "255";
  Activate();
  ASSERT_GE(Page().printed.size(), 3u);
  EXPECT_EQ(Page().printed[0].text, "first");
  EXPECT_FLOAT_EQ(Page().printed[0].pixelY, 0);
  EXPECT_EQ(Page().printed[1].text, "") << "an empty line still takes its height";
  EXPECT_FLOAT_EQ(Page().printed[1].pixelY, 20);
  EXPECT_FLOAT_EQ(Page().printed[2].pixelY, 40);
  EXPECT_EQ(Page().foreColor, 255u) << "the page prints in the window's fore colour";
}

TEST_F(CompositionTest, TheScaleSpansThePrintedBlockAndTheSecondPassStartsAtTheBottom) {
  SetMessage({"a", "b", "c"});
  Activate();
  EXPECT_FLOAT_EQ(Page().ScaleHeight(), 60);
  ASSERT_EQ(Page().printed.size(), 6u);
  EXPECT_FLOAT_EQ(Page().printed[3].pixelY, 768) << "the second pass lands below the page";
  EXPECT_EQ(Page().printed[3].text, "a");
}

TEST_F(CompositionTest, AnEmptyMessageSetsAZeroScaleAndTheCrawlRunsOn) {
  Activate();
  EXPECT_TRUE(Page().printed.empty());
  EXPECT_FLOAT_EQ(Page().ScaleHeight(), 0);
  EXPECT_TRUE(host->timer.Enabled());
  for (int i = 0; i < 5; ++i) form->tmrStr_Timer();
  EXPECT_EQ(form->ScrollPos, 5);
}

TEST_F(CompositionTest, TheLargestLineCountEndsBothPassesCleanly) {
  SetMessage(std::vector<std::string>(32767, "x"));
  ASSERT_EQ(state.LineCount, 32767);
  Activate();
  EXPECT_EQ(Page().printed.size(), 2u * 32767u);
  EXPECT_TRUE(host->timer.Enabled());
}

TEST_F(CompositionTest, ALineCountBeyondTheLinesHeldIsASubscriptError) {
  SetMessage({"a"});
  state.LineCount = 2;
  Load();
  try {
    form->Form_Activate();
    FAIL() << "composition went past the lines held";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kSubscriptOutOfRange);
  }
}

TEST_F(CompositionTest, ASecondActivationPrintsAgainWithoutRestartingTheCrawl) {
  SetMessage({"a", "b"});
  Activate();
  for (int i = 0; i < 500; ++i) form->tmrStr_Timer();
  desktop.calls.clear();
  host->blits.clear();
  form->Form_Activate();
  EXPECT_EQ(form->ScrollPos, 500);
  EXPECT_TRUE(host->timer.Enabled());
  EXPECT_THAT(desktop.calls, ::testing::ElementsAre("SetEnabled(1)"))
      << "the page is not cleared and the timer never stops";
  EXPECT_EQ(Page().printed.size(), 8u);
  EXPECT_FLOAT_EQ(Page().printed[4].pixelY, 0) << "the first pass starts at the top again";
  ASSERT_EQ(host->blits.size(), 1u);
  EXPECT_EQ(host->blits[0].dest, 0);
}

}  // namespace
}  // namespace tarvex::saver::test
