// Our StretchBlt: exact copies, mirroring, clipping and culling; the box
// filter against an exact area average and the widening's vector kernels
// against its single-column arithmetic; the span shortcut drawing exactly
// what the full path draws, and clears that leave nothing behind.

#include "platform/qt/stretch_blt.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <random>
#include <vector>

#include "platform/qt/widen_blocks.h"
#include "platform/qt/widening.h"
#include "tests/support/case_name.h"

namespace tarvex::qt {
namespace {

using Pixels = std::vector<std::uint32_t>;
constexpr std::uint32_t B = 0xFF000000u, W = 0xFFFFFFFFu, H = 0xFF7F7F7Fu;  // black, white, half
constexpr std::uint32_t R = 0xFFFF0000u, G = 0xFF00FF00u, U = 0xFF0000FFu;  // red, green, blue
constexpr std::uint32_t X = 0xFF123456u;                                    // untouched

struct Image {
  Image(int w, int h, std::uint32_t fill) : width(w), height(h), pixels(std::size_t(w * h), fill) {}
  Image(int w, Pixels all) : width(w), height(int(all.size()) / w), pixels(std::move(all)) {}
  PixelView View() { return {pixels.data(), width, height, width}; }
  ConstPixelView ConstView() const { return {pixels.data(), width, height, width}; }

  int width, height;
  Pixels pixels;
};

Pixels RandomPixels(int length, unsigned seed) {
  std::mt19937 random(seed);
  Pixels row(static_cast<std::size_t>(length));
  for (std::uint32_t& p : row) p = random();
  return row;
}

struct BlitCase {
  const char* name;
  int sourceWidth;
  Pixels source;
  BlitRect destRect, sourceRect;
  int destWidth;
  Pixels expected;  // the destination, drawn on X
  bool drew;
  int firstRow = 0, endRow = 99;  // the hinted rows
};
TARVEX_PRINT_CASE_AS_NAME(BlitCase)

const Pixels kRgbw = {R, G, U, W};
// clang-format off
const BlitCase kBlits[] = {
    {"Copy", 4, kRgbw, {1, 0, 4, 1}, {0, 0, 4, 1}, 6, {X, R, G, U, W, X}, true},
    {"HalfIsAveraged", 4, {W, B, W, B}, {0, 0, 2, 1}, {0, 0, 4, 1}, 2, {H, H}, true},
    {"AllChannelsAveraged", 4, {0xFF204060u, 0xFF6080A0u, W, W}, {0, 0, 2, 1}, {0, 0, 4, 1}, 2,
     {0xFF406080u, W}, true},
    {"DoubledColumnsStaySharp", 3, {W, B, R}, {0, 0, 6, 1}, {0, 0, 3, 1}, 6, {W, W, B, B, R, R}, true},
    {"StraddlingColumnsBlend", 2, {W, B}, {0, 0, 3, 1}, {0, 0, 2, 1}, 3, {W, H, B}, true},
    {"NegativeDestWidthMirrors", 4, kRgbw, {5, 0, -4, 1}, {0, 0, 4, 1}, 6, {X, W, U, G, R, X}, true},
    {"NegativeSourceWidthMirrors", 4, kRgbw, {0, 0, 4, 1}, {4, 0, -4, 1}, 4, {W, U, G, R}, true},
    {"ClippedLeft", 4, kRgbw, {-2, 0, 4, 1}, {0, 0, 4, 1}, 3, {U, W, X}, true},
    {"ClippedRight", 4, kRgbw, {4, 0, 4, 1}, {0, 0, 4, 1}, 6, {X, X, X, X, R, G}, true},
    {"ColumnsBeyondTheSourceAreBlack", 2, {R, G}, {0, 0, 4, 1}, {-1, 0, 4, 1}, 4, {B, R, G, B}, true},
    {"NoWidthDrawsNothing", 2, {R, G}, {1, 0, 0, 1}, {0, 0, 2, 1}, 2, {X, X}, false},
    {"BelowTheDestination", 2, {R, G}, {0, 1, 2, 1}, {0, 0, 2, 1}, 2, {X, X}, false},
    {"MirroredLeftOfTheDestination", 2, {R, G}, {-1, 0, -2, 1}, {0, 0, 2, 1}, 2, {X, X}, false},
    {"NegativeHeightMirrorsRows", 1, {R, G, U}, {0, 3, 1, -3}, {0, 0, 1, 3}, 1, {U, G, R}, true},
    {"RowsFromBelowTheSourceLeftAlone", 1, {R, G, U}, {0, 0, 1, 3}, {0, 1, 1, 3}, 1, {G, U, X}, true},
    {"RowsOutsideTheHintedOnesLeftAlone", 1, {R, G, U}, {0, 0, 1, 3}, {0, 0, 1, 3}, 1, {X, G, X},
     true, 1, 2},
};
// clang-format on

class BlitTest : public ::testing::TestWithParam<BlitCase> {};

TEST_P(BlitTest, DrawsTheExpectedPixels) {
  const BlitCase& c = GetParam();
  Image dest(c.destWidth, Pixels(c.expected.size(), X));
  BlitHints hints;
  hints.firstRow = c.firstRow;
  hints.endRow = c.endRow;
  const Image source(c.sourceWidth, c.source);
  EXPECT_EQ(StretchBlt(dest.View(), c.destRect, source.ConstView(), c.sourceRect, hints), c.drew);
  EXPECT_THAT(dest.pixels, ::testing::ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Blits, BlitTest, ::testing::ValuesIn(kBlits), testing::CaseName());

// Widenings and shrinkings of many ratios, both directions, clipped or not,
// and a widening too wide to keep tables for.
struct RatioCase {
  const char* name;
  int sourceLength, destLength;
  bool mirror;
  int destX;  // negative: clipped on the left
};
TARVEX_PRINT_CASE_AS_NAME(RatioCase)

// clang-format off
const RatioCase kRatios[] = {
    {"SevenTo20", 7, 20, false, 0},            {"SevenTo20Mirrored", 7, 20, true, 0},
    {"ThreeTo1000Clipped", 3, 1000, true, -7}, {"TwentyTo27", 20, 27, false, 0},
    {"SixtyOneTo64Shifted", 61, 64, true, 3},  {"NinetySixTo97", 96, 97, false, 0},
    {"NinetySixTo143", 96, 143, false, 0},     {"NinetySixTo192", 96, 192, false, 0},
    {"HundredTo101", 100, 101, true, 0},       {"NearestForBytePermutes", 140, 150, false, 0},
    {"NearestMirrored", 280, 300, true, 0},    {"PageTo1720", 696, 1720, false, 0},
    {"PageTo841", 696, 841, true, 0},          {"PageTo3640Clipped", 696, 3640, false, -900},
    {"FiveTo70000", 5, 70000, true, -69500},   {"TwentyTo7", 20, 7, false, 0},
    {"PageTo253", 696, 253, false, 0},         {"PageTo695", 696, 695, true, 0},
    {"ThousandTo3", 1000, 3, false, 0},        {"SixtyFourTo61Clipped", 64, 61, false, -20},
};
// clang-format on

// Channel `shift` of destination column j (along the copy), exactly.
double AreaAverage(const Pixels& row, int destLength, int j, int shift) {
  const double scale = static_cast<double>(row.size()) / destLength;
  const double begin = j * scale, end = (j + 1) * scale;
  double sum = 0;
  for (int i = static_cast<int>(begin); i < static_cast<int>(row.size()) && i < end; ++i) {
    sum += (std::min<double>(end, i + 1) - std::max<double>(begin, i)) *
           ((row[std::size_t(i)] >> shift) & 0xFF);
  }
  return sum / scale;
}

class RatioTest : public ::testing::TestWithParam<RatioCase> {};

// A widening mixes neighbours by weights rounded to 1/64, which costs up to
// 2 a channel, and truncates, up to 1 more; a shrinking strays up to 1.
TEST_P(RatioTest, EachColumnIsTheAreaAverageOfWhatItCoversAndWideningsEndOnTheEndPixels) {
  const RatioCase& c = GetParam();
  const Pixels row = RandomPixels(c.sourceLength, 7919u * c.destLength);
  Image dest(std::max(c.destLength + c.destX, 1), 1, X);
  const BlitRect destRect = c.mirror ? BlitRect{c.destX + c.destLength, 0, -c.destLength, 1}
                                     : BlitRect{c.destX, 0, c.destLength, 1};
  StretchBlt(dest.View(), destRect, Image(c.sourceLength, row).ConstView(),
             {0, 0, c.sourceLength, 1});
  for (int x = 0; x < dest.width; ++x) {
    const int j = c.mirror ? c.destLength - 1 - (x - c.destX) : x - c.destX;
    const std::uint32_t got = dest.pixels[std::size_t(x)];
    if (j < 0 || j >= c.destLength) {
      ASSERT_EQ(got, X) << "column " << x << " lies outside the copy";
    } else if (c.destLength > c.sourceLength && (j == 0 || j == c.destLength - 1)) {
      ASSERT_EQ(got, j == 0 ? row.front() : row.back()) << "mixed past the end at " << x;
    } else {
      for (int shift = 0; shift < 32; shift += 8) {
        ASSERT_NEAR((got >> shift) & 0xFF, AreaAverage(row, c.destLength, j, shift), 3.0)
            << "column " << x << ", bits " << shift;
      }
    }
  }
}

// With every kernel the processor runs, for ranges of every length that
// start anywhere; nothing is written outside the bounds.
TEST_P(RatioTest, WideningBlocksDrawWhatSingleColumnsDraw) {
  const RatioCase& c = GetParam();
  if (c.destLength <= c.sourceLength || c.destLength > 4000) return;  // no blocks to compare
  const Widening widening(c.destLength, c.sourceLength);
  const auto length = static_cast<std::uint64_t>(c.destLength);
  const ColumnRange bounds{3, length - 3};
  std::vector<ColumnRange> ranges;
  for (std::uint64_t at = bounds.begin, size = 1; at < bounds.end; at += size + 5, ++size) {
    ranges.push_back({at, std::min(at + size, bounds.end)});
  }
  for (const BlockKernel kernel : {BlockKernel::kAvx2, BlockKernel::kBytePermutes}) {
    if (!Runs(kernel)) continue;
    SCOPED_TRACE(kernel == BlockKernel::kAvx2 ? "AVX2" : "byte permutes");
    std::array<Pixels, BandRows::kMaxRows> sources, dests;
    BandRows rows;
    rows.count = BandRows::kMaxRows;
    rows.sourceLength = static_cast<std::uint64_t>(c.sourceLength);
    rows.origin = c.mirror ? c.destLength - 1 : 0;
    rows.direction = c.mirror ? -1 : 1;
    for (std::size_t r = 0; r < rows.count; ++r) {
      sources[r] = RandomPixels(c.sourceLength, static_cast<unsigned>(31 * c.destLength + r));
      dests[r].assign(length, X);
      rows.sources[r] = sources[r].data();
      rows.dests[r] = dests[r].data();
    }
    WidenInBlocks(kernel, widening, rows, ranges, bounds);
    for (std::size_t r = 0, next = 0; r < rows.count; ++r, next = 0) {
      for (std::uint64_t j = 0; j < length; ++j) {
        const std::uint32_t got = *rows.At(r, j);
        while (next < ranges.size() && ranges[next].end <= j) ++next;
        if (j < bounds.begin || j >= bounds.end) {
          ASSERT_EQ(got, X) << "row " << r << ", column " << j << " lies outside the bounds";
        } else if ((next < ranges.size() && ranges[next].begin <= j) || got != X) {
          ASSERT_EQ(got, widening.Column(sources[r].data(), j)) << "row " << r << ", column " << j;
        }
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Ratios, RatioTest, ::testing::ValuesIn(kRatios), testing::CaseName());

// The shortcut never changes what is drawn, onto a clean image or onto one
// that a clear left with an earlier drawing in its pixels; and a clear after
// it leaves nothing of it.
struct ShortcutCase {
  const char* name;
  int sourceWidth, strokesPerRow, destWidth;
  BlitRect destRect, sourceRect;
};
TARVEX_PRINT_CASE_AS_NAME(ShortcutCase)

// clang-format off
const ShortcutCase kShortcuts[] = {
    {"Widened", 96, 2, 120, {0, 0, 120, 12}, {0, 0, 96, 12}},
    {"Shrunk", 96, 2, 120, {10, 0, 37, 12}, {0, 0, 96, 12}},
    {"Mirrored", 96, 2, 120, {100, 0, -71, 12}, {0, 0, 96, 12}},
    {"ClippedBothSides", 96, 2, 120, {-30, 0, 200, 12}, {0, 0, 96, 12}},
    {"MirroredClipped", 96, 2, 120, {-40, 1, -170, 10}, {0, 0, 96, 10}},
    {"ManyPiecesWidened", 240, 8, 600, {30, 0, 540, 12}, {0, 0, 240, 12}},
    {"DozensOfSpansWidened", 1400, 40, 2100, {0, 0, 2100, 12}, {0, 0, 1400, 12}},
    {"DozensOfSpansMirrored", 1400, 40, 2100, {2100, 0, -2100, 12}, {0, 0, 1400, 12}},
};
// clang-format on

class SpanShortcutTest : public ::testing::TestWithParam<ShortcutCase> {};

TEST_P(SpanShortcutTest, DrawsWhatTheFullPathDrawsAndAClearLeavesNothingOfIt) {
  const ShortcutCase& c = GetParam();
  std::mt19937 random(static_cast<unsigned>(c.destWidth + c.destRect.x));
  Image source(c.sourceWidth, 12, B);
  for (int stroke = 0; stroke < 12 * c.strokesPerRow; ++stroke) {
    const std::size_t at =
        random() % 12 * std::size_t(c.sourceWidth) + random() % (c.sourceWidth - 6);
    for (std::size_t i = 0, length = 1 + random() % 6; i < length; ++i)
      source.pixels[at + i] = B | random();
  }
  const RowSpans spans(source.ConstView(), B);
  Image full(c.destWidth, 12, B);
  StretchBlt(full.View(), c.destRect, source.ConstView(), c.sourceRect);
  for (const bool overAClear : {false, true}) {
    SCOPED_TRACE(overAClear ? "over a clear" : "on a clean image");
    Image quick(c.destWidth, 12, B);
    RowStates rows(12);
    if (overAClear) {
      const Image noise(96, 12, W);
      StretchBlt(quick.View(), {-3, 0, c.destWidth + 10, 12}, noise.ConstView(), {0, 0, 96, 12},
                 {&rows, nullptr});
      ClearRows(rows);
    }
    StretchBlt(quick.View(), c.destRect, source.ConstView(), c.sourceRect, {&rows, &spans});
    FillClearedRows(quick.View(), rows, B);
    EXPECT_EQ(quick.pixels, full.pixels);
    ClearRows(rows);
    FillClearedRows(quick.View(), rows, B);
    EXPECT_THAT(quick.pixels, ::testing::Each(B));
    EXPECT_THAT(rows, ::testing::Each(::testing::Property(&RowState::Clean, true)));
  }
}

INSTANTIATE_TEST_SUITE_P(Bands, SpanShortcutTest, ::testing::ValuesIn(kShortcuts),
                         testing::CaseName());

}  // namespace
}  // namespace tarvex::qt
