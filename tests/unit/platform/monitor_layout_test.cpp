// Which monitors get a cover. (One monitor, and a second and third beside the
// primary: the end-to-end test.)

#include "platform/monitor_layout.h"

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "tests/support/case_name.h"

namespace tarvex::platform {
namespace {

constexpr ScreenRect kFullHd{0, 0, 1920, 1080}, kBeside{1920, 0, 1280, 1024};
constexpr ScreenRect kLeft{-1280, 200, 1280, 1024}, kOverlap{1000, 0, 1920, 1080};
constexpr ScreenRect kAbove{0, -1080, 1920, 1080}, kBelow{0, 1080, 1920, 1080};

// The monitors, the primary, and the covers' areas.
using LayoutCase =
    std::tuple<const char*, std::vector<ScreenRect>, ScreenRect, std::vector<ScreenRect>>;

const LayoutCase kLayouts[] = {
    {"LeftOfOriginAndBeside", {kLeft, kFullHd, kBeside}, kFullHd, {kLeft, kBeside}},
    {"MirrorOfPrimary", {kFullHd, {0, 0, 1280, 1024}, kBeside}, kFullHd, {kBeside}},
    {"SameAreaTwice", {kFullHd, kBeside, kBeside}, kFullHd, {kBeside}},
    {"EmptyMonitors", {kFullHd, {3200, 0, 0, 0}, {3200, 0, 1280, 0}, kBeside}, kFullHd, {kBeside}},
    {"AboveAndBelow", {kAbove, kFullHd, kBelow}, kFullHd, {kAbove, kBelow}},
    {"OverlapsPrimary", {kFullHd, kOverlap}, kFullHd, {kOverlap}},
};

class CoverAreasTest : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(CoverAreasTest, CoverEveryMonitorButThePrimaryOnce) {
  const auto& [name, monitors, primary, covers] = GetParam();
  EXPECT_EQ(CoverAreas(monitors, primary), covers);
}

INSTANTIATE_TEST_SUITE_P(Layouts, CoverAreasTest, ::testing::ValuesIn(kLayouts),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::platform
