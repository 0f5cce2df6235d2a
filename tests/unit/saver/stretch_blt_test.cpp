// Our StretchBlt: exact copies, the box filter against an exact area
// average, mirroring, culling, the span shortcut drawing exactly what the
// full path draws, clears that fill only what was drawn and only when it is
// needed, and the vector blocks of a widening agreeing with single columns.

#include "platform/qt/stretch_blt.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "platform/qt/qt_picture_surface.h"
#include "platform/qt/widen_blocks.h"
#include "platform/qt/widening.h"

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

TEST(StretchBltTest, RowsOutsideTheHintedOnesAreLeftAlone) {
  const Image source(2, 6, W);
  Image dest(2, 6, X);
  BlitHints hints;
  hints.firstRow = 2;
  hints.endRow = 4;
  EXPECT_TRUE(StretchBlt(dest.View(), {0, 0, 2, 6}, source.ConstView(), {0, 0, 2, 6}, hints));
  for (int y = 0; y < 6; ++y) {
    EXPECT_THAT(dest.Row(y), ::testing::Each(y == 2 || y == 3 ? W : X)) << "row " << y;
  }
}

TEST(StretchBltTest, NegativeHeightMirrorsRows) {
  Image source(1, 3, B);
  source.pixels = {R, G, U};
  Image dest(1, 3, X);
  StretchBlt(dest.View(), {0, 3, 1, -3}, source.ConstView(), {0, 0, 1, 3});
  EXPECT_THAT(dest.pixels, ::testing::ElementsAre(U, G, R));
}

TEST(RowSpansTest, NearbyRunsMergeAndBlankRowsHaveNone) {
  Image image(80, 2, B);
  for (int x : {2, 3, 6, 60}) image.pixels[std::size_t(x)] = W;
  const RowSpans spans(image.ConstView(), B);
  std::vector<std::pair<int, int>> row0;
  for (auto* s = spans.RowBegin(0); s != spans.RowEnd(0); ++s) row0.emplace_back(s->begin, s->end);
  EXPECT_THAT(row0, ::testing::ElementsAre(std::pair(2, 7), std::pair(60, 61)));
  EXPECT_EQ(spans.RowBegin(1), spans.RowEnd(1));
}

// A row's dirty runs: kept in order, merged where they touch, and when
// there are too many, merged across the narrowest gap.
struct DirtyCase {
  const char* name;
  std::vector<std::pair<int, int>> added;
  std::vector<std::pair<int, int>> runs;
};

void PrintTo(const DirtyCase& c, std::ostream* os) {
  *os << c.name;
}

class RowStateTest : public ::testing::TestWithParam<DirtyCase> {};

TEST_P(RowStateTest, AddedRunsStayInOrderAndMergeWhereTheyMeet) {
  RowState state;
  for (const auto& [begin, end] : GetParam().added) state.Add(begin, end);
  std::vector<std::pair<int, int>> runs;
  for (std::size_t i = 0; i < state.runs; ++i) {
    runs.emplace_back(state.dirty[i].begin, state.dirty[i].end);
  }
  EXPECT_EQ(runs, GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, RowStateTest,
    ::testing::Values(DirtyCase{"one", {{5, 10}}, {{5, 10}}},
                      DirtyCase{"out of order", {{20, 30}, {5, 10}}, {{5, 10}, {20, 30}}},
                      DirtyCase{"touching", {{5, 10}, {10, 12}}, {{5, 12}}},
                      DirtyCase{"bridging", {{5, 10}, {20, 30}, {8, 22}}, {{5, 30}}},
                      DirtyCase{"inside", {{5, 30}, {8, 22}}, {{5, 30}}},
                      DirtyCase{"empty", {{7, 7}}, {}},
                      DirtyCase{"too many",
                                {{0, 2}, {10, 12}, {20, 22}, {23, 25}, {40, 42}},
                                {{0, 2}, {10, 12}, {20, 25}, {40, 42}}},
                      DirtyCase{"too many, last gap narrowest",
                                {{0, 2}, {10, 12}, {20, 22}, {30, 32}, {33, 35}},
                                {{0, 2}, {10, 12}, {20, 22}, {30, 35}}},
                      DirtyCase{"too many, narrowest gaps equal",
                                {{0, 2}, {5, 7}, {10, 12}, {20, 22}, {30, 32}},
                                {{0, 2}, {5, 12}, {20, 22}, {30, 32}}}));

// However many pieces a row is drawn in, its few dirty runs hold every
// pixel that is not background, on a cleared row and on one drawn on again.
class DirtyRunsTest : public ::testing::TestWithParam<std::vector<int>> {};

TEST_P(DirtyRunsTest, EveryLitPixelLiesInADirtyRun) {
  Image source(240, 1, B);
  for (int x : GetParam()) source.pixels[std::size_t(x)] = W;
  const RowSpans spans(source.ConstView(), B);
  Image dest(600, 1, B);
  RowStates rows{RowState::Dirty(600)};
  for (const bool clear : {true, false}) {
    if (clear) ClearRows(rows);
    StretchBlt(dest.View(), {clear ? 0 : 60, 0, 540, 1}, source.ConstView(), {0, 0, 240, 1},
               {&rows, &spans});
    FillClearedRows(dest.View(), rows, B);
    ASSERT_LE(rows[0].runs, RowState::kMaxRuns);
    for (int x = 0; x < dest.width; ++x) {
      if (dest.pixels[std::size_t(x)] == B) continue;
      bool inRun = false;
      for (std::size_t i = 0; i < rows[0].runs; ++i) {
        inRun = inRun || (rows[0].dirty[i].begin <= x && x < rows[0].dirty[i].end);
      }
      ASSERT_TRUE(inRun) << "column " << x << (clear ? " after a clear" : " drawn on again");
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Pieces, DirtyRunsTest,
                         ::testing::Values(std::vector<int>{5, 200},
                                           std::vector<int>{0, 50, 100, 150, 239},
                                           std::vector<int>{3, 40, 45, 90, 130, 170, 180, 220},
                                           std::vector<int>{10, 60, 110, 160, 210, 215}));

// The shortcut must never change what is drawn, onto a clean destination or
// onto one that a clear has left with an earlier drawing still in its pixels.
struct BandCase {
  unsigned seed;
  BlitRect destRect;
  BlitRect sourceRect;
};

class SpanShortcutTest : public ::testing::TestWithParam<BandCase> {
 protected:
  SpanShortcutTest() {
    std::mt19937 random(GetParam().seed);
    for (int blob = 0; blob < 14; ++blob) {
      const int y = static_cast<int>(random() % 12);
      const int x = static_cast<int>(random() % 90);
      const int length = 1 + static_cast<int>(random() % 6);
      for (int i = 0; i < length; ++i) {
        source.pixels[std::size_t(y) * 96 + std::size_t(x + i)] = 0xFF000000u | random();
      }
    }
    spans = RowSpans(source.ConstView(), B);
    StretchBlt(full.View(), GetParam().destRect, source.ConstView(), GetParam().sourceRect);
  }

  void DrawQuick(Image& dest, RowStates& rows) const {
    StretchBlt(dest.View(), GetParam().destRect, source.ConstView(), GetParam().sourceRect,
               {&rows, &spans});
  }

  Image source{96, 12, B};
  RowSpans spans{source.ConstView(), B};
  Image full{120, 12, B};
};

TEST_P(SpanShortcutTest, DrawsExactlyWhatTheFullPathDraws) {
  Image quick(120, 12, B);
  RowStates clean(12);
  DrawQuick(quick, clean);
  EXPECT_EQ(quick.pixels, full.pixels);
}

TEST_P(SpanShortcutTest, LeavesNothingOfWhatWasClearedBeforeIt) {
  Image quick(120, 12, B);
  RowStates rows(12);
  const Image noise(96, 12, W);
  StretchBlt(quick.View(), {-3, 0, 130, 12}, noise.ConstView(), {0, 0, 96, 12}, {&rows, nullptr});
  ClearRows(rows);
  DrawQuick(quick, rows);
  FillClearedRows(quick.View(), rows, B);
  EXPECT_EQ(quick.pixels, full.pixels);
}

INSTANTIATE_TEST_SUITE_P(Bands, SpanShortcutTest,
                         ::testing::Values(BandCase{1, {0, 0, 120, 12}, {0, 0, 96, 12}},
                                           BandCase{2, {10, 0, 37, 12}, {0, 0, 96, 12}},
                                           BandCase{3, {100, 0, -71, 12}, {0, 0, 96, 12}},
                                           BandCase{4, {-30, 0, 200, 12}, {0, 0, 96, 12}},
                                           BandCase{5, {5, 2, 96, 3}, {0, 4, 96, 3}},
                                           BandCase{6, {60, 0, -13, 12}, {0, 0, 96, 12}},
                                           BandCase{7, {3, 0, 117, 12}, {0, 0, 96, 12}},
                                           BandCase{8, {-40, 1, -170, 10}, {0, 0, 96, 10}}));

// A band whose rows have dozens of spans each, offset from row to row, so
// that their ranges interleave: the hinted path must still draw what the
// full one draws, whether it widens, shrinks or mirrors.
class ManySpansTest : public ::testing::TestWithParam<int> {};

TEST_P(ManySpansTest, DrawExactlyWhatTheFullPathDraws) {
  Image source(1400, 3, B);
  for (int y = 0; y < 3; ++y) {
    for (int x = 13 * y; x + 3 <= source.width; x += 40) {
      for (int i = 0; i < 3; ++i) source.pixels[std::size_t(y) * 1400 + std::size_t(x + i)] = W;
    }
  }
  const RowSpans spans(source.ConstView(), B);
  ASSERT_GT(spans.RowEnd(0) - spans.RowBegin(0), 16);
  const int width = GetParam();
  const BlitRect destRect = width < 0 ? BlitRect{-width, 0, width, 3} : BlitRect{0, 0, width, 3};
  Image full(std::abs(width), 3, X);
  Image quick(std::abs(width), 3, X);
  RowStates rows(3, RowState::Dirty(std::abs(width)));
  StretchBlt(full.View(), destRect, source.ConstView(), {0, 0, 1400, 3});
  StretchBlt(quick.View(), destRect, source.ConstView(), {0, 0, 1400, 3}, {&rows, &spans});
  FillClearedRows(quick.View(), rows, B);
  EXPECT_EQ(quick.pixels, full.pixels);
}

INSTANTIATE_TEST_SUITE_P(Widths, ManySpansTest, ::testing::Values(2100, 3000, 900, -2100));

// Rows drawn together in a band share their columns; a band with nothing to
// draw leaves its rows clean.
TEST(SpanShortcutTest, RowsRememberTheColumnsDrawnOnThem) {
  Image source(4, 6, B);
  source.pixels[5] = W;  // row 1, column 1
  Image dest(8, 6, B);
  RowStates rows(6);
  const RowSpans spans(source.ConstView(), B);
  StretchBlt(dest.View(), {2, 0, 4, 6}, source.ConstView(), {0, 0, 4, 6}, {&rows, &spans});
  ASSERT_FALSE(rows[1].Clean());
  const int first = rows[1].dirty[0].begin;
  const int last = rows[1].dirty[rows[1].runs - 1].end;
  EXPECT_LE(first, 3);
  EXPECT_GE(last, 4);
  EXPECT_GE(first, 2) << "nothing outside the blit is dirty";
  EXPECT_LE(last, 6);
  EXPECT_TRUE(rows[3].Clean() && rows[4].Clean() && rows[5].Clean());
  EXPECT_EQ(dest.Row(1), std::vector<std::uint32_t>({B, B, B, W, B, B, B, B}));
}

// The box filter against the exact area average of the source pixels each
// destination column covers, over widenings and shrinkings of many ratios,
// both directions, clipped or not, and a widening too wide to keep tables
// for.
struct FilterCase {
  int sourceLength;
  int destLength;
  bool mirror;
  int destX;  // negative: clipped on the left
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << c.sourceLength << "->" << c.destLength << (c.mirror ? " mirrored" : "") << " at "
      << c.destX;
}

// Channel `shift` of destination column j (along the copy), exactly.
double AreaAverage(const std::vector<std::uint32_t>& row, int destLength, int j, int shift) {
  const double scale = static_cast<double>(row.size()) / destLength;
  const double begin = j * scale;
  const double end = (j + 1) * scale;
  double sum = 0;
  for (int i = static_cast<int>(begin); i < static_cast<int>(row.size()) && i < end; ++i) {
    const double covered = std::min<double>(end, i + 1) - std::max<double>(begin, i);
    sum += covered * ((row[std::size_t(i)] >> shift) & 0xFF);
  }
  return sum / scale;
}

// How far a channel may stray: a widening mixes neighbours by weights
// rounded to 1/64, which costs up to 2, and truncates, up to 1 more; a
// shrinking, with its finer weights, up to 1 however many pixels a column
// covers.
constexpr double kRounding = 3.0;

class FilterTest : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FilterTest, EachColumnIsTheAreaAverageOfWhatItCovers) {
  const FilterCase& c = GetParam();
  std::mt19937 random(static_cast<unsigned>(c.sourceLength * 7919 + c.destLength));
  std::vector<std::uint32_t> row(std::size_t(c.sourceLength));
  for (std::uint32_t& p : row) p = random();
  const Image source(c.sourceLength, row);
  Image dest(std::max(c.destLength + c.destX, 1), 1, X);
  const BlitRect destRect = c.mirror ? BlitRect{c.destX + c.destLength, 0, -c.destLength, 1}
                                     : BlitRect{c.destX, 0, c.destLength, 1};
  StretchBlt(dest.View(), destRect, source.ConstView(), {0, 0, c.sourceLength, 1});
  for (int x = 0; x < dest.width; ++x) {
    const int j = c.mirror ? c.destLength - 1 - (x - c.destX) : x - c.destX;
    const std::uint32_t got = dest.pixels[std::size_t(x)];
    if (j < 0 || j >= c.destLength) {
      EXPECT_EQ(got, X) << "column " << x << " lies outside the copy";
      continue;
    }
    for (int shift = 0; shift < 32; shift += 8) {
      const double want = AreaAverage(row, c.destLength, j, shift);
      ASSERT_NEAR((got >> shift) & 0xFF, want, kRounding) << "column " << x << ", bits " << shift;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Ratios, FilterTest,
    ::testing::Values(FilterCase{7, 20, false, 0}, FilterCase{96, 119, false, 0},
                      FilterCase{696, 1720, false, 0}, FilterCase{696, 837, true, 0},
                      FilterCase{696, 3640, false, -900}, FilterCase{3, 1000, true, -7},
                      FilterCase{61, 64, true, 3}, FilterCase{20, 7, false, 0},
                      FilterCase{696, 253, false, 0}, FilterCase{696, 695, true, 0},
                      FilterCase{1000, 3, false, 0}, FilterCase{64, 61, false, -20},
                      FilterCase{5, 70000, true, -69500}));

// Widening never mixes the row's end pixels with anything beyond them.
class EdgeTest : public ::testing::TestWithParam<int> {};

TEST_P(EdgeTest, TheEndColumnsOfAWideningAreTheEndPixels) {
  std::vector<std::uint32_t> row(96, B);
  row.front() = R;
  row.back() = U;
  const Image source(96, row);
  Image dest(GetParam(), 1, X);
  StretchBlt(dest.View(), {0, 0, GetParam(), 1}, source.ConstView(), {0, 0, 96, 1});
  EXPECT_EQ(dest.pixels.front(), R);
  EXPECT_EQ(dest.pixels.back(), U);
}

INSTANTIATE_TEST_SUITE_P(Widths, EdgeTest, ::testing::Values(97, 101, 143, 191, 192, 250, 1000));

// A clear marks rows; a row's dirty columns are filled where something drawn
// on it does not cover them, the other rows' when asked.
TEST(ClearTest, ClearedRowsAreFilledWhenDrawnOnOrWhenAsked) {
  Image source(8, 3, B);
  source.pixels[8 + 2] = W;  // row 1, column 2
  Image dest(12, 4, X);
  RowStates rows{RowState::Dirty(12), RowState::Dirty(12), RowState{}, RowState::Dirty(3, 5)};
  ClearRows(rows);
  EXPECT_TRUE(rows[0].cleared && rows[1].cleared && rows[3].cleared);
  EXPECT_FALSE(rows[2].cleared) << "a clean row has nothing to fill";
  EXPECT_EQ(dest.pixels, Image(12, 4, X).pixels) << "a clear fills nothing by itself";

  const RowSpans spans(source.ConstView(), B);
  StretchBlt(dest.View(), {0, 0, 12, 2}, source.ConstView(), {0, 0, 8, 2}, {&rows, &spans});
  Image expected(12, 2, B);
  StretchBlt(expected.View(), {0, 0, 12, 2}, source.ConstView(), {0, 0, 8, 2});
  EXPECT_EQ(dest.Row(0), expected.Row(0)) << "a cleared row drawn on holds only the drawing";
  EXPECT_EQ(dest.Row(1), expected.Row(1));
  EXPECT_FALSE(rows[0].cleared || rows[1].cleared);
  EXPECT_FALSE(rows[1].Clean());
  EXPECT_EQ(dest.Row(3), std::vector<std::uint32_t>(12, X));

  FillClearedRows(dest.View(), rows, B);
  EXPECT_EQ(dest.Row(3), std::vector<std::uint32_t>({X, X, X, B, B, X, X, X, X, X, X, X}))
      << "only the dirty columns are filled";
  EXPECT_TRUE(rows[3].Clean());
}

// The vector blocks of a widening against the single-column arithmetic, with
// every kernel the processor runs, over many ratios, for ranges that start
// anywhere, in both directions; and they never write outside the bounds they
// are given.
struct BlockCase {
  int sourceLength;
  int destLength;
  bool mirror;
};

void PrintTo(const BlockCase& c, std::ostream* os) {
  *os << c.sourceLength << "->" << c.destLength << (c.mirror ? " mirrored" : "");
}

class WideningBlockTest : public ::testing::TestWithParam<BlockCase> {};

// Draws `ranges` of three rows with `kernel` and compares every column with
// the single-column arithmetic.
void CheckBlocks(const BlockCase& c,
                 const std::array<std::vector<std::uint32_t>, BandRows::kMaxRows>& sources,
                 const std::vector<ColumnRange>& ranges, ColumnRange bounds, BlockKernel kernel) {
  const Widening widening(c.destLength, c.sourceLength);
  const auto length = static_cast<std::uint64_t>(c.destLength);
  std::array<std::vector<std::uint32_t>, BandRows::kMaxRows> dests;
  BandRows rows;
  rows.count = BandRows::kMaxRows;
  rows.sourceLength = static_cast<std::uint64_t>(c.sourceLength);
  rows.origin = c.mirror ? c.destLength - 1 : 0;
  rows.direction = c.mirror ? -1 : 1;
  for (std::size_t r = 0; r < rows.count; ++r) {
    dests[r].assign(length, X);
    rows.sources[r] = sources[r].data();
    rows.dests[r] = dests[r].data();
  }
  WidenInBlocks(kernel, widening, rows, ranges, bounds);
  for (std::size_t r = 0; r < rows.count; ++r) {
    std::size_t next = 0;
    for (std::uint64_t j = 0; j < length; ++j) {
      const std::uint32_t got = *rows.At(r, j);
      if (j < bounds.begin || j >= bounds.end) {
        ASSERT_EQ(got, X) << "row " << r << ", column " << j << " lies outside the bounds";
        continue;
      }
      while (next < ranges.size() && ranges[next].end <= j) ++next;
      const bool inRange = next < ranges.size() && ranges[next].begin <= j;
      const std::uint32_t want = widening.Column(sources[r].data(), j);
      if (inRange || got != X) {
        ASSERT_EQ(got, want) << "row " << r << ", column " << j;
      }
    }
  }
}

TEST_P(WideningBlockTest, BlocksDrawWhatSingleColumnsDraw) {
  const BlockCase& c = GetParam();
  std::mt19937 random(static_cast<unsigned>(c.sourceLength * 31 + c.destLength));
  std::array<std::vector<std::uint32_t>, BandRows::kMaxRows> sources;
  for (auto& row : sources) {
    row.resize(std::size_t(c.sourceLength));
    for (std::uint32_t& p : row) p = random();
  }
  const auto length = static_cast<std::uint64_t>(c.destLength);
  // Ranges of every length from 1 up, with gaps between them, inside bounds
  // that leave a few columns out at both ends.
  const ColumnRange bounds{3, length - 3};
  std::vector<ColumnRange> ranges;
  for (std::uint64_t at = bounds.begin, size = 1; at < bounds.end; at += size + 5, ++size) {
    ranges.push_back({at, std::min(at + size, bounds.end)});
  }
  for (const BlockKernel kernel : {BlockKernel::kAvx2, BlockKernel::kBytePermutes}) {
    if (!Runs(kernel)) continue;
    SCOPED_TRACE(kernel == BlockKernel::kAvx2 ? "AVX2" : "byte permutes");
    CheckBlocks(c, sources, ranges, bounds, kernel);
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, WideningBlockTest,
                         ::testing::Values(BlockCase{696, 1720, false}, BlockCase{696, 841, true},
                                           BlockCase{696, 3640, false}, BlockCase{7, 20, true},
                                           BlockCase{61, 64, false}, BlockCase{100, 101, true},
                                           BlockCase{3, 1000, false}, BlockCase{20, 27, false},
                                           // The closest widenings byte permutes take.
                                           BlockCase{140, 150, false}, BlockCase{280, 300, true}));

// On picture surfaces, as the crawl uses them: what a clear leaves behind
// must never show.
class SurfaceClearTest : public ::testing::Test {
 protected:
  SurfaceClearTest() {
    page.SetForeColor(0xFFFFFF);
    page.PrintLine("WWWWWWWW");
  }

  void Band(int x, int width, int sourceY) {
    StretchBlt(display.WritablePixels(), {x, 0, width, 3}, page.Pixels(), {0, sourceY, 200, 3},
               {&display.Rows(), &page.Spans()});
  }

  // Columns of `row` that hold anything but black.
  std::vector<int> Lit(int row) {
    std::vector<int> lit;
    for (int x = 0; x < display.Image().width(); ++x) {
      if (display.Image().pixel(x, row) != B) lit.push_back(x);
    }
    return lit;
  }

  QtPictureSurface page{0, 0, 200, 40, 96};
  QtPictureSurface display{0, 0, 300, 3, 96};
};

TEST_F(SurfaceClearTest, AClearedDisplayReadsBlackWithoutBeingDrawnOn) {
  const int row = page.LineHeight() / 2;
  Band(0, 300, row);
  ASSERT_FALSE(Lit(1).empty());
  display.Cls();
  EXPECT_TRUE(Lit(0).empty());
  EXPECT_TRUE(Lit(1).empty());
  EXPECT_TRUE(Lit(2).empty());
  EXPECT_THAT(display.Rows(), ::testing::Each(::testing::Property(&RowState::Clean, true)));
}

TEST_F(SurfaceClearTest, ABandDrawnAfterAClearLeavesNothingOfTheOneBefore) {
  const int row = page.LineHeight() / 2;
  Band(0, 300, row);
  const std::vector<int> wide = Lit(1);
  display.Cls();
  Band(100, 50, row);
  display.Refresh();
  const std::vector<int> narrow = Lit(1);
  ASSERT_FALSE(narrow.empty());
  EXPECT_GE(narrow.front(), 100);
  EXPECT_LT(narrow.back(), 150);
  EXPECT_LT(narrow.size(), wide.size());
}

}  // namespace
}  // namespace tarvex::qt
