// The crawl: the page composed in two printing passes and copied, then the
// tick's bands, the crawl position and the cycle.

#include "runtime/runtime_error.h"
#include "tests/support/case_name.h"
#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using testing::BlitRecord;
using ::testing::ElementsAre;

// A band onto the display from the page copy.
BlitRecord Band(int x, int y, int width, int sourceY) {
  return {1, x, y, width, 3, 0, 0, sourceY, 696, 3};
}

struct ScreenCase {
  const char* name;
  float width, height;
  int cycle;  // ticks until the crawl restarts: page height + display height + 1
};
TARVEX_PRINT_CASE_AS_NAME(ScreenCase)

using ScreenTest = SaverCaseTest<ScreenCase>;

TEST_P(ScreenTest, DisplayInsideTheMarginAndTheCrawlRestartsFromTheBottomEdgeAfterItsCycle) {
  const auto [name, width, height, cycle] = GetParam();
  Activate({"line"}, width, height);
  const int w = static_cast<int>(width) - 200, h = static_cast<int>(height);
  EXPECT_EQ(std::vector<float>({Display().Left(), Display().Top(), Display().Width()}),
            std::vector<float>({100, 100, static_cast<float>(w)}));
  EXPECT_FLOAT_EQ(Display().Height(), height - 200);
  EXPECT_THAT(host->blits, ElementsAre(BlitRecord{0, 0, 0, 696, h, 2, 0, 0, 696, h}));
  host->recordBlits = false;
  for (int ticks = 1; ticks <= cycle; ++ticks) {
    form->tmrStr_Timer();
    ASSERT_EQ(form->ScrollPos, ticks % cycle) << "tick " << ticks;
  }
  host->recordBlits = true;
  host->blits.clear();
  form->tmrStr_Timer();
  EXPECT_THAT(host->blits, ElementsAre(Band(0, h - 200, w, 0)));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenTest,
                         ::testing::Values(ScreenCase{"Xga", 1024, 768, 1337},
                                           ScreenCase{"EightK", 7680, 4320, 8441}),
                         testing::CaseName());

using CompositionTest = SaverFixture;

TEST_F(CompositionTest, TwoPassesOfLinesTheSecondBelowThePageInTheWindowsColour) {
  state.Settings.FontColor = "255";
  Activate({"first", "", "third"});
  ASSERT_EQ(Page().printed.size(), 6u);
  const float tops[] = {0, 20, 40, 768, 788, 808};  // an empty line still takes its height
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(Page().printed[i].text, state.MessageLines[i % 3 + 1]) << i;
    EXPECT_FLOAT_EQ(Page().printed[i].pixelY, tops[i]) << i;
  }
  EXPECT_EQ(Page().foreColor, 255u);
  EXPECT_FLOAT_EQ(Copy().Height(), 768) << "the page and its copy are as high as the screen";
}

TEST_F(CompositionTest, TheLargestLineCountEndsBothPassesAndOneBeyondTheLinesHeldIsErrorNine) {
  Activate(std::vector<std::string>(32767, "x"));
  EXPECT_EQ(Page().printed.size(), 2u * 32767u);
  state.MessageLines.pop_back();
  ExpectError([&] { form->Form_Activate(); }, runtime::kSubscriptOutOfRange);
}

TEST_F(CompositionTest, ASecondActivationPrintsAgainFromTheTopWithoutRestartingTheCrawl) {
  Activate({"a", "b"});
  for (int i = 0; i < 500; ++i) form->tmrStr_Timer();
  desktop.calls.clear();
  form->Form_Activate();
  EXPECT_EQ(form->ScrollPos, 500);
  EXPECT_THAT(desktop.calls, ElementsAre("SetEnabled(1)")) << "no clear, and no stop";
  ASSERT_EQ(Page().printed.size(), 8u);
  EXPECT_FLOAT_EQ(Page().printed[4].pixelY, 0);
}

struct TickCase {
  const char* name;
  float width, height;
  std::int16_t scrollPos;
  std::size_t bands;
  BlitRecord first, last;  // the bands from page row 0 and nearest the bottom edge
};
TARVEX_PRINT_CASE_AS_NAME(TickCase)

using TickTest = SaverCaseTest<TickCase>;

TEST_P(TickTest, ClearsThenDrawsCentredBandsThatMeetAndWidenByThreePixelsThenShows) {
  const auto& [name, width, height, scrollPos, bands, first, last] = GetParam();
  Activate({"line"}, width, height);
  host->blits.clear();
  desktop.calls.clear();
  form->ScrollPos = scrollPos;
  form->tmrStr_Timer();
  EXPECT_THAT(desktop.calls, ElementsAre("Cls", "Refresh"));
  ASSERT_EQ(host->blits.size(), bands);
  EXPECT_EQ(host->blits.front(), first);
  EXPECT_EQ(host->blits.back(), last);
  for (std::size_t i = 1; i < host->blits.size(); ++i) {
    const BlitRecord &above = host->blits[i - 1], &below = host->blits[i];
    for (const int k : {2, 3, 7}) EXPECT_EQ(below[k] - above[k], 3) << "band " << i << ", " << k;
    EXPECT_LE(std::abs(2 * below[1] + below[3] - static_cast<int>(Display().Width())), 1)
        << "band " << i << " is centred";
  }
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Positions, TickTest, ::testing::Values(
    TickCase{"Start", 1024, 768, 0, 1, Band(0, 568, 824, 0), Band(0, 568, 824, 0)},
    TickCase{"OneAndAHalfToEven", 1024, 768, 3, 2, Band(2, 565, 821, 0), Band(0, 568, 824, 3)},
    TickCase{"TwoAndAHalfToEven", 1024, 768, 5, 2, Band(2, 563, 819, 0), Band(1, 566, 822, 3)},
    TickCase{"FirstRowOnTheTopRow", 1024, 768, 568, 190, Band(284, 0, 256, 0), Band(0, 567, 823, 567)},
    TickCase{"EndOfTheCycle", 1024, 768, 1336, 446, Band(668, -768, -512, 0), Band(0, 567, 823, 1335)},
    TickCase{"PortraitMirrored", 768, 1024, 600, 201, Band(300, 224, -32, 0), Band(0, 824, 568, 600)}),
    testing::CaseName());
// clang-format on

}  // namespace
}  // namespace tarvex::saver::test
