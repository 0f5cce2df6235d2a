// Which monitors get a cover, and where a move over a cover lands in the
// saver window's client pixels.

#include "platform/monitor_layout.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::platform {
namespace {

constexpr ScreenRect kFullHd{0, 0, 1920, 1080};
constexpr ScreenRect kBeside{1920, 0, 1280, 1024};
constexpr ScreenRect kLeft{-1280, 200, 1280, 1024};

struct LayoutCase {
  const char* name;
  std::vector<ScreenRect> monitors;
  ScreenRect primary;
  std::vector<ScreenRect> covers;
  ScreenPoint inFirstCover;
  ScreenPoint inSaver;
};
TARVEX_PRINT_CASE_AS_NAME(LayoutCase)

const LayoutCase kLayouts[] = {
    {"OneMonitor", {kFullHd}, kFullHd, {}, {}, {}},
    {"SecondBeside", {kFullHd, kBeside}, kFullHd, {kBeside}, {10, 20}, {1930, 20}},
    {"PrimarySecondInTheList", {kBeside, kFullHd}, kFullHd, {kBeside}, {0, 1023}, {1920, 1023}},
    {"PrimaryRightOfOrigin", {kFullHd, kBeside}, kBeside, {kFullHd}, {5, 5}, {-1915, 5}},
    {"LeftOfOriginAndBeside",
     {kLeft, kFullHd, kBeside},
     kFullHd,
     {kLeft, kBeside},
     {0, 0},
     {-1280, 200}},
    {"MirrorOfPrimary",
     {kFullHd, {0, 0, 1280, 1024}, kBeside},
     kFullHd,
     {kBeside},
     {1, 1},
     {1921, 1}},
    {"SameAreaTwice", {kFullHd, kBeside, kBeside}, kFullHd, {kBeside}, {0, 0}, {1920, 0}},
    {"EmptyMonitor", {kFullHd, {3200, 0, 0, 0}, kBeside}, kFullHd, {kBeside}, {0, 0}, {1920, 0}},
    {"OverlapsPrimary",
     {kFullHd, {1000, 0, 1920, 1080}},
     kFullHd,
     {{1000, 0, 1920, 1080}},
     {0, 0},
     {1000, 0}},
};

class MonitorLayoutTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(MonitorLayoutTest, CoversEveryOtherMonitorAndMapsMovesIntoTheSaverWindow) {
  const LayoutCase& c = GetParam();
  const std::vector<ScreenRect> covers = CoverAreas(c.monitors, c.primary);
  ASSERT_EQ(covers, c.covers);
  if (!covers.empty()) {
    EXPECT_EQ(ToSaverClient(c.inFirstCover, covers[0], c.primary), c.inSaver);
  }
}

INSTANTIATE_TEST_SUITE_P(Layouts, MonitorLayoutTest, ::testing::ValuesIn(kLayouts),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::platform
