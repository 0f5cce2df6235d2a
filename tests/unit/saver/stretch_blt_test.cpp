// Our StretchBlt: exact copies, the box filter, mirroring, culling, and the
// span shortcut drawing exactly what the full path draws.

#include "platform/qt/stretch_blt.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tarvex::qt {
namespace {

constexpr std::uint32_t B = 0xFF000000u;  // black
constexpr std::uint32_t W = 0xFFFFFFFFu;  // white
constexpr std::uint32_t R = 0xFFFF0000u;
constexpr std::uint32_t G = 0xFF00FF00u;
constexpr std::uint32_t U = 0xFF0000FFu;  // blue
constexpr std::uint32_t H = 0xFF7F7F7Fu;  // half white
constexpr std::uint32_t X = 0xFF123456u;  // untouched destination

struct Image {
  Image(int w, int h, std::uint32_t fill)
      : width(w), height(h), pixels(std::size_t(w) * std::size_t(h), fill) {}
  Image(int w, std::vector<std::uint32_t> row) : width(w), height(1), pixels(std::move(row)) {}

  PixelView View() { return {pixels.data(), width, height, width}; }
  ConstPixelView ConstView() const { return {pixels.data(), width, height, width}; }
  std::vector<std::uint32_t> Row(int y) const {
    const std::ptrdiff_t start = std::ptrdiff_t{y} * width;
    return {pixels.begin() + start, pixels.begin() + start + width};
  }

  int width;
  int height;
  std::vector<std::uint32_t> pixels;
};

struct RowCase {
  const char* name;
  std::vector<std::uint32_t> source;
  BlitRect destRect;
  BlitRect sourceRect;
  std::vector<std::uint32_t> expected;  // the destination row, 6 pixels
};

class RowTest : public ::testing::TestWithParam<RowCase> {};

TEST_P(RowTest, DrawsTheExpectedRow) {
  const RowCase& c = GetParam();
  const Image source(static_cast<int>(c.source.size()), c.source);
  Image dest(6, 1, X);
  StretchBlt(dest.View(), c.destRect, source.ConstView(), c.sourceRect);
  EXPECT_THAT(dest.Row(0), ::testing::ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowTest,
    ::testing::Values(
        RowCase{"Copy", {R, G, U, W}, {1, 0, 4, 1}, {0, 0, 4, 1}, {X, R, G, U, W, X}},
        RowCase{"Part", {R, G, U, W}, {0, 0, 2, 1}, {1, 0, 2, 1}, {G, U, X, X, X, X}},
        RowCase{"HalfIsAveraged", {W, B, W, B}, {0, 0, 2, 1}, {0, 0, 4, 1}, {H, H, X, X, X, X}},
        RowCase{
            "ThirdIsAveraged", {W, W, W, B, B, B}, {0, 0, 2, 1}, {0, 0, 6, 1}, {W, B, X, X, X, X}},
        RowCase{
            "DoubledColumnsStaySharp", {W, B, R}, {0, 0, 6, 1}, {0, 0, 3, 1}, {W, W, B, B, R, R}},
        RowCase{"StraddlingColumnsBlend", {W, B}, {0, 0, 3, 1}, {0, 0, 2, 1}, {W, H, B, X, X, X}},
        RowCase{"NegativeDestWidthMirrors",
                {R, G, U, W},
                {5, 0, -4, 1},
                {0, 0, 4, 1},
                {X, W, U, G, R, X}},
        RowCase{"NegativeSourceWidthMirrors",
                {R, G, U, W},
                {0, 0, 4, 1},
                {4, 0, -4, 1},
                {W, U, G, R, X, X}},
        RowCase{
            "BothNegativeDoNot", {R, G, U, W}, {4, 0, -4, 1}, {4, 0, -4, 1}, {R, G, U, W, X, X}},
        RowCase{"ClippedLeft", {R, G, U, W}, {-2, 0, 4, 1}, {0, 0, 4, 1}, {U, W, X, X, X, X}},
        RowCase{"ClippedRight", {R, G, U, W}, {4, 0, 4, 1}, {0, 0, 4, 1}, {X, X, X, X, R, G}},
        RowCase{"NoWidthDrawsNothing", {R, G}, {3, 0, 0, 1}, {0, 0, 2, 1}, {X, X, X, X, X, X}},
        RowCase{
            "NoSourceWidthDrawsNothing", {R, G}, {0, 0, 2, 1}, {0, 0, 0, 1}, {X, X, X, X, X, X}},
        RowCase{"ColumnsBeyondTheSourceAreBlack",
                {R, G},
                {0, 0, 4, 1},
                {-1, 0, 4, 1},
                {B, R, G, B, X, X}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StretchBltTest, AllChannelsAndFullOpacitySurviveAveraging) {
  const Image source(4, {0xFF204060u, 0xFF6080A0u, 0xFFFFFFFFu, 0xFFFFFFFFu});
  Image dest(2, 1, X);
  StretchBlt(dest.View(), {0, 0, 2, 1}, source.ConstView(), {0, 0, 4, 1});
  EXPECT_THAT(dest.Row(0), ::testing::ElementsAre(0xFF406080u, 0xFFFFFFFFu));
}

TEST(StretchBltTest, BandsOutsideTheDestinationTouchNothing) {
  const Image source(4, 3, W);
  Image dest(6, 4, X);
  EXPECT_FALSE(StretchBlt(dest.View(), {0, 4, 6, 3}, source.ConstView(), {0, 0, 4, 3}));
  EXPECT_FALSE(StretchBlt(dest.View(), {0, -3, 6, 3}, source.ConstView(), {0, 0, 4, 3}));
  EXPECT_FALSE(StretchBlt(dest.View(), {6, 0, 6, 3}, source.ConstView(), {0, 0, 4, 3}));
  EXPECT_FALSE(StretchBlt(dest.View(), {-1, 0, -6, 3}, source.ConstView(), {0, 0, 4, 3}));
  EXPECT_EQ(dest.pixels, Image(6, 4, X).pixels);
}

TEST(StretchBltTest, RowsWhoseSourceLiesBelowTheSourceAreLeftAlone) {
  const Image source(2, 3, W);
  Image dest(2, 3, X);
  EXPECT_TRUE(StretchBlt(dest.View(), {0, 0, 2, 3}, source.ConstView(), {0, 1, 2, 3}));
  EXPECT_EQ(dest.Row(0), std::vector<std::uint32_t>(2, W));
  EXPECT_EQ(dest.Row(1), std::vector<std::uint32_t>(2, W));
  EXPECT_EQ(dest.Row(2), std::vector<std::uint32_t>(2, X));
}

TEST(StretchBltTest, NegativeHeightMirrorsRows) {
  Image source(1, 3, B);
  source.pixels = {R, G, U};
  Image dest(1, 3, X);
  StretchBlt(dest.View(), {0, 3, 1, -3}, source.ConstView(), {0, 0, 1, 3});
  EXPECT_THAT(dest.pixels, ::testing::ElementsAre(U, G, R));
}

TEST(RowSpansTest, NearbyRunsMergeAndBlankRowsHaveNone) {
  Image image(20, 2, B);
  for (int x : {2, 3, 6, 15}) image.pixels[std::size_t(x)] = W;
  const RowSpans spans(image.ConstView(), B);
  std::vector<std::pair<int, int>> row0;
  for (auto* s = spans.RowBegin(0); s != spans.RowEnd(0); ++s) row0.emplace_back(s->begin, s->end);
  EXPECT_THAT(row0, ::testing::ElementsAre(std::pair(2, 7), std::pair(15, 16)));
  EXPECT_EQ(spans.RowBegin(1), spans.RowEnd(1));
}

// The shortcut must never change what is drawn.
struct BandCase {
  unsigned seed;
  BlitRect destRect;
  BlitRect sourceRect;
};

class SpanShortcutTest : public ::testing::TestWithParam<BandCase> {};

TEST_P(SpanShortcutTest, DrawsExactlyWhatTheFullPathDraws) {
  std::mt19937 random(GetParam().seed);
  Image source(96, 12, B);
  for (int blob = 0; blob < 14; ++blob) {
    const int y = static_cast<int>(random() % 12);
    const int x = static_cast<int>(random() % 90);
    const int length = 1 + static_cast<int>(random() % 6);
    for (int i = 0; i < length; ++i) {
      source.pixels[std::size_t(y) * 96 + std::size_t(x + i)] = 0xFF000000u | random();
    }
  }
  Image full(120, 12, B);
  Image quick(120, 12, B);
  std::vector<std::uint8_t> clean(12, 1);
  const RowSpans spans(source.ConstView(), B);
  StretchBlt(full.View(), GetParam().destRect, source.ConstView(), GetParam().sourceRect);
  StretchBlt(quick.View(), GetParam().destRect, source.ConstView(), GetParam().sourceRect,
             {&clean, &spans});
  EXPECT_EQ(quick.pixels, full.pixels);
}

INSTANTIATE_TEST_SUITE_P(Bands, SpanShortcutTest,
                         ::testing::Values(BandCase{1, {0, 0, 120, 12}, {0, 0, 96, 12}},
                                           BandCase{2, {10, 0, 37, 12}, {0, 0, 96, 12}},
                                           BandCase{3, {100, 0, -71, 12}, {0, 0, 96, 12}},
                                           BandCase{4, {-30, 0, 200, 12}, {0, 0, 96, 12}},
                                           BandCase{5, {5, 2, 96, 3}, {0, 4, 96, 3}},
                                           BandCase{6, {60, 0, -13, 12}, {0, 0, 96, 12}},
                                           BandCase{7, {3, 0, 117, 12}, {0, 0, 96, 12}}));

TEST(SpanShortcutTest, DrawnRowsAreNoLongerClean) {
  Image source(4, 3, B);
  source.pixels[5] = W;  // row 1 only
  Image dest(4, 3, B);
  std::vector<std::uint8_t> clean(3, 1);
  const RowSpans spans(source.ConstView(), B);
  StretchBlt(dest.View(), {0, 0, 4, 3}, source.ConstView(), {0, 0, 4, 3}, {&clean, &spans});
  EXPECT_THAT(clean, ::testing::ElementsAre(1, 0, 1));
  EXPECT_EQ(dest.pixels, source.pixels);
}

}  // namespace
}  // namespace tarvex::qt
