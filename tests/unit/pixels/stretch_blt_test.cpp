// Our StretchBlt: copies, clipping and culling; by scale, filter, kernels, span shortcut.

#include "platform/pixels/stretch_blt.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "platform/pixels/shrink_blocks.h"
#include "platform/pixels/widen_blocks.h"
#include "tests/support/case_name.h"

namespace tarvex::pixels {
namespace {

using Pixels = std::vector<std::uint32_t>;
constexpr std::uint32_t B = 0xFF000000u, W = 0xFFFFFFFFu;                   // black, white
constexpr std::uint32_t R = 0xFFFF0000u, G = 0xFF00FF00u, U = 0xFF0000FFu;  // red, green, blue
constexpr std::uint32_t X = 0xFF123456u;                                    // untouched

struct Image {
  Image(int w, Pixels all) : width(w), height(int(all.size()) / w), pixels(std::move(all)) {}
  Image(int w, int h, std::uint32_t fill) : Image(w, Pixels(std::size_t(w * h), fill)) {}
  PixelView View() { return {pixels.data(), width, height, width}; }
  ConstPixelView ConstView() const { return {pixels.data(), width, height, width}; }
  int width, height;
  Pixels pixels;
};

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
    {"NegativeSourceWidthMirrors", 4, kRgbw, {0, 0, 4, 1}, {4, 0, -4, 1}, 4, {W, U, G, R}, true},
    {"ColumnsBeyondTheSourceAreBlack", 2, {R, G}, {0, 0, 4, 1}, {-1, 0, 4, 1}, 4, {B, R, G, B}, true},
    {"NoWidthDrawsNothing", 2, {R, G}, {1, 0, 0, 1}, {0, 0, 2, 1}, 2, {X, X}, false},
    {"BelowTheDestination", 2, {R, G}, {0, 1, 2, 1}, {0, 0, 2, 1}, 2, {X, X}, false},
    {"MirroredLeftOfTheDestination", 2, {R, G}, {-1, 0, -2, 1}, {0, 0, 2, 1}, 2, {X, X}, false},
    {"NegativeHeightMirrorsRows", 1, {R, G, U}, {0, 3, 1, -3}, {0, 0, 1, 3}, 1, {U, G, R}, true},
    {"RowsFromBelowTheSourceLeftAlone", 1, {R, G, U}, {0, 0, 1, 3}, {0, 1, 1, 3}, 1, {G, U, X}, true},
    {"RowsOutsideTheHintedOnesLeftAlone", 1, {R, G, U}, {0, 0, 1, 3}, {0, 0, 1, 3}, 1, {X, G, X}, true, 1, 2},
};
// clang-format on

class BlitTest : public ::testing::TestWithParam<BlitCase> {};

TEST_P(BlitTest, DrawsTheExpectedPixels) {
  const BlitCase& c = GetParam();
  Image dest(c.destWidth, Pixels(c.expected.size(), X));
  EXPECT_EQ(StretchBlt(dest.View(), c.destRect, Image(c.sourceWidth, c.source).ConstView(),
                       c.sourceRect, {.firstRow = c.firstRow, .endRow = c.endRow}),
            c.drew);
  EXPECT_THAT(dest.pixels, ::testing::ElementsAreArray(c.expected));
}

INSTANTIATE_TEST_SUITE_P(Blits, BlitTest, ::testing::ValuesIn(kBlits), testing::CaseName());

// A copy of a whole source row onto columns [x, x + width) of an image
// imageWidth wide; a negative width mirrors, onto [x + width, x).
struct ScaleCase {
  const char* name;
  int sourceLength, x, width, imageWidth;

  int Length() const { return std::abs(width); }
  int Along(int column) const { return width < 0 ? x - 1 - column : column - x; }
};
TARVEX_PRINT_CASE_AS_NAME(ScaleCase)

// clang-format off
const ScaleCase kScales[] = {
    {"SevenTo20", 7, 0, 20, 20},                {"ThreeTo1000Clipped", 3, 993, -1000, 993},
    {"SixtyOneTo64Shifted", 61, 67, -64, 67},   {"NinetySixTo97", 96, 0, 97, 97},
    {"NinetySixTo192", 96, 0, 192, 192},        {"NearestForBytePermutes", 140, 0, 150, 150},
    {"NearestMirrored", 280, 300, -300, 300},   {"PageTo1720", 696, 0, 1720, 1720},
    {"PageTo3640Clipped", 696, -900, 3640, 2740}, {"FiveTo70000", 5, 500, -70000, 500},
    {"MirroredClippedBothSides", 96, 150, -200, 120}, {"PageTo695", 696, 695, -695, 695},
    {"ShrunkInside", 96, 10, 37, 120},          {"ThousandTo3", 1000, 0, 3, 3},
    {"SixtyFourTo61Clipped", 64, -20, 61, 41},  {"PageTo348Mirrored", 696, 348, -348, 348},
};
// clang-format on

Pixels RandomPixels(std::size_t length, unsigned seed, bool strokes = false) {
  std::mt19937 random(seed);
  Pixels row(length);
  std::generate(row.begin(), row.end(), random);
  for (std::size_t i = 0; strokes && i < length; ++i) row[i] = i % 64 >= 24 ? B : row[i];
  return row;
}

// Channel `shift` of column j along the copy, exactly.
double AreaAverage(const Pixels& row, int length, int j, int shift) {
  const double scale = static_cast<double>(row.size()) / length;
  const double begin = j * scale, end = (j + 1) * scale;
  double sum = 0;
  for (int i = static_cast<int>(begin); i < static_cast<int>(row.size()) && i < end; ++i) {
    sum += (std::min<double>(end, i + 1) - std::max<double>(begin, i)) *
           ((row[std::size_t(i)] >> shift) & 0xFF);
  }
  return sum / scale;
}

class ScaleTest : public ::testing::TestWithParam<ScaleCase> {};

// A widening mixes neighbours by weights rounded to 1/64, which costs up to
// 2 a channel, and truncates, up to 1 more; a shrinking strays up to 1. The
// span shortcut, drawing over what a clear left, gives the same pixels on
// black, and a clear after it leaves nothing of it.
TEST_P(ScaleTest, EachColumnIsTheAreaAverageOfWhatItCoversAndTheSpanShortcutDrawsTheSame) {
  const ScaleCase& c = GetParam();
  const Pixels row = RandomPixels(std::size_t(c.sourceLength), 7919u * c.imageWidth, true);
  Pixels page = row;
  page.resize(2 * row.size(), B);  // and a blank row
  const Image source(c.sourceLength, page);
  const BlitRect destRect{c.x, 0, c.width, 2}, sourceRect{0, 0, c.sourceLength, 2};
  Image dest(c.imageWidth, 2, X), quick(c.imageWidth, 3, B);
  StretchBlt(dest.View(), destRect, source.ConstView(), sourceRect);
  RowStates rows(3);
  StretchBlt(quick.View(), {-3, 0, c.imageWidth + 10, 3}, Image(96, 3, W).ConstView(),
             {0, 0, 96, 3}, {&rows, nullptr});
  ClearRows(rows);
  const RowSpans spans(source.ConstView(), B);
  StretchBlt(quick.View(), destRect, source.ConstView(), sourceRect, {&rows, &spans});
  FillClearedRows(quick.View(), rows, B);
  for (int x = 0; x < dest.width; ++x) {
    const int j = c.Along(x);
    const std::uint32_t got = dest.pixels[std::size_t(x)];
    const bool outside = j < 0 || j >= c.Length();
    ASSERT_EQ(quick.pixels[std::size_t(x)], outside ? B : got) << "span shortcut at " << x;
    for (const int y : {1, 2}) ASSERT_EQ(quick.pixels[std::size_t(y * dest.width + x)], B) << x;
    if (outside) {
      ASSERT_EQ(got, X) << "column " << x << " lies outside the copy";
    } else if (c.Length() > c.sourceLength && (j == 0 || j == c.Length() - 1)) {
      ASSERT_EQ(got, j == 0 ? row.front() : row.back()) << "mixed past the end at " << x;
    } else {
      for (int shift = 0; shift < 32; shift += 8) {
        ASSERT_NEAR((got >> shift) & 0xFF, AreaAverage(row, c.Length(), j, shift), 3.0)
            << "column " << x << ", bits " << shift;
      }
    }
  }
  ClearRows(rows);
  FillClearedRows(quick.View(), rows, B);
  EXPECT_THAT(quick.pixels, ::testing::Each(B));
  EXPECT_THAT(rows, ::testing::Each(::testing::Property(&RowState::Clean, true)));
}

// A band's three rows drawn by `draw`, columns `ranges` within `bounds`:
// the ranges hold what `column` gives, and nothing is written outside the
// bounds.
template <class Draw, class Column>
void ExpectBlocksDrawColumns(const ScaleCase& c, Draw draw, Column column) {
  const auto length = static_cast<std::uint64_t>(c.Length());
  const ColumnRange bounds{3, length - 3};
  std::vector<ColumnRange> ranges;
  for (std::uint64_t at = bounds.begin, size = 1; at < bounds.end; at += size + 5, ++size) {
    ranges.push_back({at, std::min(at + size, bounds.end)});
  }
  std::array<Pixels, BandRows::kMaxRows> sources, dests;
  BandRows rows{.count = BandRows::kMaxRows,
                .sourceLength = static_cast<std::uint64_t>(c.sourceLength),
                .origin = c.width < 0 ? c.Length() - 1 : 0,
                .direction = c.width < 0 ? -1 : 1};
  for (std::size_t r = 0; r < rows.count; ++r) {
    sources[r] = RandomPixels(std::size_t(c.sourceLength), 31 * unsigned(c.Length() + r), r == 1);
    rows.sources[r] = sources[r].data();
    dests[r].assign(length, X);
    rows.dests[r] = dests[r].data();
  }
  draw(rows, ranges, bounds);
  for (std::size_t r = 0, next = 0; r < rows.count; ++r, next = 0) {
    for (std::uint64_t j = 0; j < length; ++j) {
      const std::uint32_t got = *rows.At(r, j);
      while (next < ranges.size() && ranges[next].end <= j) ++next;
      if (j < bounds.begin || j >= bounds.end) {
        ASSERT_EQ(got, X) << "row " << r << ", column " << j << " lies outside the bounds";
      } else if ((next < ranges.size() && ranges[next].begin <= j) || got != X) {
        ASSERT_EQ(got, column(sources[r].data(), j)) << "row " << r << ", column " << j;
      }
    }
  }
}

// With every kernel the processor runs, for ranges of any length starting anywhere.
TEST_P(ScaleTest, BlocksDrawWhatSingleColumnsDraw) {
  const ScaleCase& c = GetParam();
  if (c.Length() > 4000 || c.Length() < 8) return;
  if (!Widening::Suits(c.Length(), c.sourceLength)) {
    const Shrinking shrinking(c.Length(), c.sourceLength);
    if (!ShrinkBlocksRun() || !ShrinksInBlocks(shrinking)) return;
    ExpectBlocksDrawColumns(
        c, [&](auto&&... args) { ShrinkInBlocks(shrinking, args...); },
        [&](const std::uint32_t* line, std::uint64_t j) { return shrinking.Column(line, j); });
    return;
  }
  const Widening widening(c.Length(), c.sourceLength);
  for (const BlockKernel kernel : {BlockKernel::kAvx2, BlockKernel::kBytePermutes}) {
    if (!Runs(kernel)) continue;
    SCOPED_TRACE(kernel == BlockKernel::kAvx2 ? "AVX2" : "byte permutes");
    ExpectBlocksDrawColumns(
        c, [&](auto&&... args) { WidenInBlocks(kernel, widening, args...); },
        [&](const std::uint32_t* line, std::uint64_t j) { return widening.Column(line, j); });
  }
}

INSTANTIATE_TEST_SUITE_P(Scales, ScaleTest, ::testing::ValuesIn(kScales), testing::CaseName());

}  // namespace
}  // namespace tarvex::pixels
