// The crawl: the page composed in two printing passes and copied, then the
// tick's bands, the crawl position and the cycle.

#include <string>
#include <vector>

#include "runtime/runtime_error.h"
#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using testing::BlitRecord;
using ::testing::ElementsAre;

constexpr std::uint32_t kCopy = platform::kSrcCopy;

// A band onto the display from the page copy.
BlitRecord Band(int x, int y, int width, int sourceY) {
  return {1, x, y, width, 3, 0, 0, sourceY, 696, 3, kCopy};
}

struct ScreenCase {
  const char* name;
  float width, height;
  int cycle;  // ticks until the crawl restarts: page height + display height + 1
};
TARVEX_PRINT_CASE_AS_NAME(ScreenCase)

const ScreenCase kScreens[] = {
    {"Xga", 1024, 768, 1337},
    {"Vga", 640, 480, 761},
    {"Portrait", 768, 1024, 1849},
    {"EightK", 7680, 4320, 8441},
};

class ScreenTest : public SaverCaseTest<ScreenCase> {
 protected:
  void SetUp() override { ActivateOn(GetParam().width, GetParam().height); }
};

TEST_P(ScreenTest, DisplayInsideAMarginPageAndCopyAsHighAsTheScreen) {
  const int h = static_cast<int>(GetParam().height);
  EXPECT_FLOAT_EQ(Display().Left(), 100);
  EXPECT_FLOAT_EQ(Display().Top(), 100);
  EXPECT_FLOAT_EQ(Display().Width(), GetParam().width - 200);
  EXPECT_FLOAT_EQ(Display().Height(), GetParam().height - 200);
  EXPECT_FLOAT_EQ(Page().Width(), 696) << "the page keeps its design width";
  EXPECT_FLOAT_EQ(Page().Height(), h);
  EXPECT_FLOAT_EQ(Copy().Width(), 696);
  EXPECT_FLOAT_EQ(Copy().Height(), h);
  EXPECT_THAT(host->blits, ElementsAre(BlitRecord{0, 0, 0, 696, h, 2, 0, 0, 696, h, kCopy}));
  EXPECT_TRUE(host->timer.Enabled());
}

TEST_P(ScreenTest, TheCrawlRestartsAfterItsCycleAndStartsAgainFromTheBottomEdge) {
  host->recordBlits = false;
  int ticks = 0;
  do {
    form->tmrStr_Timer();
    ASSERT_EQ(form->ScrollPos, ++ticks % GetParam().cycle) << "tick " << ticks;
  } while (form->ScrollPos != 0 && ticks < 100000);
  host->recordBlits = true;
  host->blits.clear();
  form->tmrStr_Timer();
  const int w = static_cast<int>(GetParam().width) - 200, h = static_cast<int>(GetParam().height);
  EXPECT_THAT(host->blits, ElementsAre(Band(0, h - 200, w, 0)));
}

INSTANTIATE_TEST_SUITE_P(Screens, ScreenTest, ::testing::ValuesIn(kScreens), testing::CaseName());

class CompositionTest : public SaverFixture {};

TEST_F(CompositionTest, TwoPassesOfLinesTheSecondBelowThePageInTheWindowsColour) {
  state.Settings.FontColor = "255";
  Activate({"first", "", "third"});
  ASSERT_EQ(Page().printed.size(), 6u);
  const float tops[] = {0, 20, 40, 768, 788, 808};  // an empty line still takes its height
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(Page().printed[i].text, state.MessageLines[i % 3 + 1]) << i;
    EXPECT_FLOAT_EQ(Page().printed[i].pixelY, tops[i]) << i;
  }
  EXPECT_FLOAT_EQ(Page().ScaleHeight(), 60) << "the scale spans the printed block";
  EXPECT_EQ(Page().foreColor, 255u);
}

TEST_F(CompositionTest, TheLargestLineCountEndsBothPassesCleanly) {
  Activate(std::vector<std::string>(32767, "x"));
  EXPECT_EQ(Page().printed.size(), 2u * 32767u);
}

TEST_F(CompositionTest, ALineCountBeyondTheLinesHeldIsErrorNine) {
  Load({"a"});
  state.LineCount = 2;
  try {
    form->Form_Activate();
    FAIL() << "composition went past the lines held";
  } catch (const runtime::RuntimeError& error) {
    EXPECT_EQ(error.number(), runtime::kSubscriptOutOfRange);
  }
}

TEST_F(CompositionTest, ASecondActivationPrintsAgainFromTheTopWithoutRestartingTheCrawl) {
  Activate({"a", "b"});
  for (int i = 0; i < 500; ++i) form->tmrStr_Timer();
  desktop.calls.clear();
  host->blits.clear();
  form->Form_Activate();
  EXPECT_EQ(form->ScrollPos, 500);
  EXPECT_THAT(desktop.calls, ElementsAre("SetEnabled(1)")) << "no clear, and no stop";
  ASSERT_EQ(Page().printed.size(), 8u);
  EXPECT_FLOAT_EQ(Page().printed[4].pixelY, 0);
  EXPECT_EQ(host->blits.size(), 1u);
}

struct TickCase {
  const char* name;
  float screenWidth, screenHeight;
  std::int16_t scrollPos;
  std::size_t bands;
  BlitRecord first;  // the band from page row 0
  BlitRecord last;   // the band nearest the bottom edge
};
TARVEX_PRINT_CASE_AS_NAME(TickCase)

// clang-format off
const TickCase kTicks[] = {
    {"Start", 1024, 768, 0, 1, Band(0, 568, 824, 0), Band(0, 568, 824, 0)},
    {"FirstRowOnTheBottomRow", 1024, 768, 1, 1, Band(0, 567, 823, 0), Band(0, 567, 823, 0)},
    {"Two", 1024, 768, 2, 1, Band(1, 566, 822, 0), Band(1, 566, 822, 0)},
    {"OneAndAHalfToEven", 1024, 768, 3, 2, Band(2, 565, 821, 0), Band(0, 568, 824, 3)},
    {"TwoAndAHalfToEven", 1024, 768, 5, 2, Band(2, 563, 819, 0), Band(1, 566, 822, 3)},
    {"ThreeAndAHalfToEven", 1024, 768, 7, 3, Band(4, 561, 817, 0), Band(0, 567, 823, 6)},
    {"FirstRowOnTheTopRow", 1024, 768, 568, 190, Band(284, 0, 256, 0), Band(0, 567, 823, 567)},
    {"EndOfTheCycle", 1024, 768, 1336, 446, Band(668, -768, -512, 0), Band(0, 567, 823, 1335)},
    {"FullHdEnd", 1920, 1080, 1960, 654, Band(980, -1080, -240, 0), Band(0, 879, 1719, 1959)},
    {"PortraitNoWidth", 768, 1024, 568, 190, Band(284, 256, 0, 0), Band(0, 823, 567, 567)},
    {"PortraitMirrored", 768, 1024, 600, 201, Band(300, 224, -32, 0), Band(0, 824, 568, 600)},
};
// clang-format on

class TickTest : public SaverCaseTest<TickCase> {
 protected:
  void SetUp() override {
    ActivateOn(GetParam().screenWidth, GetParam().screenHeight);
    host->blits.clear();
    desktop.calls.clear();
    form->ScrollPos = GetParam().scrollPos;
    form->tmrStr_Timer();
  }
};

TEST_P(TickTest, ClearsThenDrawsOneBandPerThreeRowsOfTravelThenShows) {
  EXPECT_THAT(desktop.calls, ElementsAre("Cls", "Refresh"));
  ASSERT_EQ(host->blits.size(), GetParam().bands);
  EXPECT_EQ(host->blits.front(), GetParam().first);
  EXPECT_EQ(host->blits.back(), GetParam().last);
}

TEST_P(TickTest, BandsMeetAndWidenByThreePixelsTowardTheBottom) {
  for (std::size_t i = 1; i < host->blits.size(); ++i) {
    const BlitRecord &above = host->blits[i - 1], &below = host->blits[i];
    EXPECT_EQ(below.y - above.y, 3) << "band " << i;
    EXPECT_EQ(below.sourceY - above.sourceY, 3) << "band " << i;
    EXPECT_EQ(below.width - above.width, 3) << "band " << i;
    EXPECT_LE(std::abs(2 * below.x + below.width - static_cast<int>(Display().Width())), 1)
        << "band " << i << " is centred";
  }
}

INSTANTIATE_TEST_SUITE_P(Positions, TickTest, ::testing::ValuesIn(kTicks), testing::CaseName());

}  // namespace
}  // namespace tarvex::saver::test
