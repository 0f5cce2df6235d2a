// The animation tick: the bands it copies, the crawl position and the cycle.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "tests/unit/saver/saver_fixture.h"

namespace tarvex::saver::test {
namespace {

using testing::BlitRecord;

constexpr std::uint32_t kCopy = platform::kSrcCopy;

// A band onto the display from the page copy.
BlitRecord Band(int x, int y, int width, int sourceY, int sourceWidth = 696) {
  return {1, x, y, width, 3, 0, 0, sourceY, sourceWidth, 3, kCopy};
}

struct TickCase {
  const char* name;
  float screenWidth, screenHeight;
  std::int16_t scrollPos;
  std::size_t bands;
  BlitRecord first;  // the band from page row 0
  BlitRecord last;   // the band nearest the bottom edge
};

void PrintTo(const TickCase& c, std::ostream* os) {
  *os << c.name;
}

class TickTest : public SaverFixture, public ::testing::WithParamInterface<TickCase> {
 protected:
  void SetUp() override {
    SaverFixture::SetUp();
    screenWidth = GetParam().screenWidth;
    screenHeight = GetParam().screenHeight;
    SetMessage({"line"});
    Activate();
    host->blits.clear();
    desktop.calls.clear();
    form->ScrollPos = GetParam().scrollPos;
    form->tmrStr_Timer();
  }
};

TEST_P(TickTest, IssuesOneBandPerThreeRowsOfTravel) {
  ASSERT_EQ(host->blits.size(), GetParam().bands);
  EXPECT_EQ(host->blits.front(), GetParam().first);
  EXPECT_EQ(host->blits.back(), GetParam().last);
}

TEST_P(TickTest, BandsMeetAndWidenByThreePixelsTowardTheBottom) {
  for (std::size_t i = 1; i < host->blits.size(); ++i) {
    const BlitRecord& above = host->blits[i - 1];
    const BlitRecord& below = host->blits[i];
    EXPECT_EQ(below.y - above.y, 3) << "band " << i;
    EXPECT_EQ(below.sourceY - above.sourceY, 3) << "band " << i;
    EXPECT_EQ(below.width - above.width, 3) << "band " << i;
    EXPECT_LE(std::abs(2 * below.x + below.width - static_cast<int>(Display().Width())), 1)
        << "band " << i << " is centred";
  }
}

TEST_P(TickTest, ClearsFirstAndShowsOnceAtTheEnd) {
  EXPECT_THAT(desktop.calls, ::testing::ElementsAre("Cls", "Refresh"));
  const int cycle = 2 * static_cast<int>(GetParam().screenHeight) - 200 + 1;
  EXPECT_EQ(form->ScrollPos, (GetParam().scrollPos + 1) % cycle);
}

INSTANTIATE_TEST_SUITE_P(
    Positions, TickTest,
    ::testing::Values(
        TickCase{"Start", 1024, 768, 0, 1, Band(0, 568, 824, 0), Band(0, 568, 824, 0)},
        TickCase{"FirstRowOnTheBottomRow", 1024, 768, 1, 1, Band(0, 567, 823, 0),
                 Band(0, 567, 823, 0)},
        TickCase{"Two", 1024, 768, 2, 1, Band(1, 566, 822, 0), Band(1, 566, 822, 0)},
        TickCase{"OneAndAHalfToEven", 1024, 768, 3, 2, Band(2, 565, 821, 0), Band(0, 568, 824, 3)},
        TickCase{"TwoAndAHalfToEven", 1024, 768, 5, 2, Band(2, 563, 819, 0), Band(1, 566, 822, 3)},
        TickCase{"ThreeAndAHalfToEven", 1024, 768, 7, 3, Band(4, 561, 817, 0),
                 Band(0, 567, 823, 6)},
        TickCase{"FirstRowOnTheTopRow", 1024, 768, 568, 190, Band(284, 0, 256, 0),
                 Band(0, 567, 823, 567)},
        TickCase{"EndOfTheCycle", 1024, 768, 1336, 446, Band(668, -768, -512, 0),
                 Band(0, 567, 823, 1335)},
        TickCase{"FullHdEnd", 1920, 1080, 1960, 654, Band(980, -1080, -240, 0),
                 Band(0, 879, 1719, 1959)},
        TickCase{"PortraitNoWidth", 768, 1024, 568, 190, Band(284, 256, 0, 0),
                 Band(0, 823, 567, 567)},
        TickCase{"PortraitMirrored", 768, 1024, 600, 201, Band(300, 224, -32, 0),
                 Band(0, 824, 568, 600)}),
    [](const auto& info) { return std::string(info.param.name); });

struct CycleCase {
  float screenWidth, screenHeight;
  int ticks;  // H0 + H1 + 1
};

class CycleTest : public SaverFixture, public ::testing::WithParamInterface<CycleCase> {};

TEST_P(CycleTest, TheCrawlRestartsAfterHeightOfPageAndDisplayPlusOneTicks) {
  screenWidth = GetParam().screenWidth;
  screenHeight = GetParam().screenHeight;
  SetMessage({"line"});
  Activate();
  host->recordBlits = false;
  int ticks = 0;
  do {
    form->tmrStr_Timer();
    ++ticks;
    ASSERT_EQ(form->ScrollPos, ticks % GetParam().ticks) << "tick " << ticks;
  } while (form->ScrollPos != 0 && ticks < 100000);
  EXPECT_EQ(ticks, GetParam().ticks);
}

INSTANTIATE_TEST_SUITE_P(Screens, CycleTest,
                         ::testing::Values(CycleCase{1024, 768, 1337}, CycleCase{640, 480, 761},
                                           CycleCase{768, 1024, 1849},
                                           CycleCase{7680, 4320, 8441}));

class RestartTest : public SaverFixture {};

TEST_F(RestartTest, PassingHeightOfPageAndDisplayGoesBackToZeroWithinTheTick) {
  SetMessage({"line"});
  Activate();
  form->ScrollPos = 1335;
  form->tmrStr_Timer();
  EXPECT_EQ(form->ScrollPos, 1336);
  form->tmrStr_Timer();
  EXPECT_EQ(form->ScrollPos, 0);
  host->blits.clear();
  form->tmrStr_Timer();
  EXPECT_THAT(host->blits, ::testing::ElementsAre(Band(0, 568, 824, 0)))
      << "the tick after the restart starts from the bottom edge";
}

}  // namespace
}  // namespace tarvex::saver::test
