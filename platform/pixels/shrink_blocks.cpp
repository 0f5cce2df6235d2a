// The vector blocks of a shrinking: eight columns at a time with AVX2. For
// each row of the band, a block loads the source pixels its columns cover,
// eight at a time; where they are all alike, so are its columns. Otherwise
// it works out its columns' source pixels and weights, once for all rows,
// term by term: term k of a column is the k-th source pixel its footprint
// covers. Each term picks its eight pixels out of the loads with permutes
// (gathers cost several times more) and adds each channel times its weight
// in 32-bit lanes, exactly as Shrinking::Column's sums do; the products
// stay below 2^24.

#include "platform/pixels/shrink_blocks.h"

#include <array>

#include "platform/pixels/band_blocks.h"

namespace tarvex::pixels {

#ifdef TARVEX_PIXELS_AVX2
namespace {

// Footprints of up to this many source pixels are drawn in blocks.
constexpr std::size_t kMaxTerms = 8;

// A block's footprints reach at most this many loads of eight pixels.
constexpr std::size_t kMaxLoads = kMaxTerms;

// Term k of column i of a block: source pixel `first` + offset[k][i] of
// the line, weighed weight[k][i] in 1/65536; `terms` of them.
struct ShrinkColumns {
  __m256i offset[kMaxTerms];
  __m256i weight[kMaxTerms];
  std::size_t terms = 0;
};

// The source pixels a block of columns covers: `loads` loads of eight
// pixels from `first`.
struct Reach {
  std::uint64_t first;
  std::size_t loads;
};

Reach ReachOf(const Shrinking& shrinking, std::uint64_t j) {
  const std::uint64_t first = (j * shrinking.step) >> 32;
  const std::uint64_t last = ((j + kBlock) * shrinking.step - 1) >> 32;
  return {first, static_cast<std::size_t>((last - first) / kBlock + 1)};
}

// The low halves of the 64-bit lanes of a and b, in order.
TARVEX_AVX2 __m256i Narrow(__m256i a, __m256i b) noexcept {
  const __m256 halves = _mm256_shuffle_ps(_mm256_castsi256_ps(a), _mm256_castsi256_ps(b), 0x88);
  return _mm256_permute4x64_epi64(_mm256_castps_si256(halves), 0xD8);
}

TARVEX_AVX2 std::uint32_t MaxOf(__m256i values) noexcept {
  __m256i most = _mm256_max_epu32(values, _mm256_permute4x64_epi64(values, 0x4E));
  most = _mm256_max_epu32(most, _mm256_shuffle_epi32(most, 0x4E));
  most = _mm256_max_epu32(most, _mm256_shuffle_epi32(most, 0xB1));
  return static_cast<std::uint32_t>(_mm256_cvtsi256_si32(most));
}

// The starts of a block's columns from its first one's, in 1/2^32 source
// pixels: columns 0 to 3 and 4 to 7, in 64-bit lanes.
struct Starts {
  TARVEX_AVX2 explicit Starts(std::uint64_t step) noexcept {
    const auto s = static_cast<long long>(step);
    low = _mm256_setr_epi64x(0, s, 2 * s, 3 * s);
    high = _mm256_add_epi64(low, _mm256_set1_epi64x(4 * s));
  }
  __m256i low, high;
};

// Column i covers source pixels first to first + n; the first weighs
// `head`, those between `middle`, the last `tail`, as in
// Shrinking::Column: a footprint longer than a pixel always reaches two.
// Terms past a column's last read that one again, weighed zero.
TARVEX_AVX2 void Columns(const Shrinking& shrinking, const Starts& starts, std::uint64_t j,
                         std::uint64_t first, ShrinkColumns& out) noexcept {
  const std::uint64_t start = j * shrinking.step;
  const __m256i base = _mm256_set1_epi64x(static_cast<long long>(start));
  const __m256i reach = _mm256_set1_epi64x(static_cast<long long>(shrinking.step - 1));
  const __m256i inverse = _mm256_set1_epi64x(static_cast<long long>(shrinking.inverse));
  const __m256i whole = _mm256_slli_epi64(inverse, 32);
  const __m256i origin = _mm256_set1_epi64x(static_cast<long long>(first));
  __m256i firsts[2], counts[2], heads[2];
  const __m256i halves[2] = {_mm256_add_epi64(base, starts.low),
                             _mm256_add_epi64(base, starts.high)};
  for (std::size_t h = 0; h < 2; ++h) {
    const __m256i at = _mm256_srli_epi64(halves[h], 32);
    const __m256i last = _mm256_srli_epi64(_mm256_add_epi64(halves[h], reach), 32);
    firsts[h] = _mm256_sub_epi64(at, origin);
    counts[h] = _mm256_sub_epi64(last, at);
    // The part of the first pixel covered, times the inverse step: the
    // low halves of the starts are how far into their pixels they lie.
    heads[h] = _mm256_srli_epi64(_mm256_sub_epi64(whole, _mm256_mul_epu32(halves[h], inverse)), 40);
  }
  const __m256i offsets = Narrow(firsts[0], firsts[1]);
  const __m256i count = Narrow(counts[0], counts[1]);
  const __m256i head = Narrow(heads[0], heads[1]);
  const __m256i middle = _mm256_set1_epi32(static_cast<int>(shrinking.middle));
  const __m256i tail = _mm256_sub_epi32(
      _mm256_sub_epi32(_mm256_set1_epi32(static_cast<int>(Shrinking::kWhole)), head),
      _mm256_mullo_epi32(middle, _mm256_sub_epi32(count, _mm256_set1_epi32(1))));
  const std::uint32_t most = MaxOf(count);
  out.terms = most + 1;
  out.offset[0] = offsets;
  out.weight[0] = head;
  for (std::uint32_t k = 1; k <= most; ++k) {
    const __m256i term = _mm256_set1_epi32(static_cast<int>(k));
    out.offset[k] = _mm256_add_epi32(offsets, _mm256_min_epu32(term, count));
    out.weight[k] = _mm256_or_si256(_mm256_and_si256(_mm256_cmpgt_epi32(count, term), middle),
                                    _mm256_and_si256(_mm256_cmpeq_epi32(count, term), tail));
  }
}

// The pixels a block reaches in one row.
struct Loaded {
  __m256i pixels[kMaxLoads];
  __m256i same;  // the first one, in every lane
  bool uniform;  // whether they are all the same

  // Text is mostly background: where every pixel loaded is the same, so is
  // every column, as the weights add up to a whole.
  TARVEX_AVX2 void Load(const std::uint32_t* line, std::uint64_t length, Reach reach) noexcept {
    for (std::size_t m = 0; m < reach.loads; ++m) {
      const std::uint64_t at = reach.first + m * kBlock;
      pixels[m] = LoadLine(line + at, length - at);
    }
    same = _mm256_permutevar8x32_epi32(pixels[0], _mm256_setzero_si256());
    __m256i equal = _mm256_cmpeq_epi32(pixels[0], same);
    for (std::size_t m = 1; m < reach.loads; ++m) {
      equal = _mm256_and_si256(equal, _mm256_cmpeq_epi32(pixels[m], same));
    }
    uniform = _mm256_movemask_epi8(equal) == -1;
  }
};

// Pixel offset[i] of `loaded`, for each lane i.
TARVEX_AVX2 __m256i Pick(const Loaded& loaded, std::size_t loads, __m256i offset) noexcept {
  __m256i picked = _mm256_permutevar8x32_epi32(loaded.pixels[0], offset);
  for (std::size_t m = 1; m < loads; ++m) {
    const __m256i beyond =
        _mm256_cmpgt_epi32(offset, _mm256_set1_epi32(static_cast<int>(m * kBlock) - 1));
    picked =
        _mm256_blendv_epi8(picked, _mm256_permutevar8x32_epi32(loaded.pixels[m], offset), beyond);
  }
  return picked;
}

// The block's eight columns of a row, from the pixels loaded from it.
TARVEX_AVX2 __m256i Shrink(const ShrinkColumns& columns, const Loaded& loaded,
                           std::size_t loads) noexcept {
  const __m256i low = _mm256_set1_epi32(0xFF);
  const __m256i green =
      _mm256_setr_epi8(1, -1, -1, -1, 5, -1, -1, -1, 9, -1, -1, -1, 13, -1, -1, -1, 1, -1, -1, -1,
                       5, -1, -1, -1, 9, -1, -1, -1, 13, -1, -1, -1);
  const __m256i red =
      _mm256_setr_epi8(2, -1, -1, -1, 6, -1, -1, -1, 10, -1, -1, -1, 14, -1, -1, -1, 2, -1, -1, -1,
                       6, -1, -1, -1, 10, -1, -1, -1, 14, -1, -1, -1);
  __m256i b = _mm256_setzero_si256();
  __m256i g = b;
  __m256i r = b;
  __m256i a = b;
  for (std::size_t k = 0; k < columns.terms; ++k) {
    const __m256i p = Pick(loaded, loads, columns.offset[k]);
    const __m256i w = columns.weight[k];
    b = _mm256_add_epi32(b, _mm256_mullo_epi32(_mm256_and_si256(p, low), w));
    g = _mm256_add_epi32(g, _mm256_mullo_epi32(_mm256_shuffle_epi8(p, green), w));
    r = _mm256_add_epi32(r, _mm256_mullo_epi32(_mm256_shuffle_epi8(p, red), w));
    a = _mm256_add_epi32(a, _mm256_mullo_epi32(_mm256_srli_epi32(p, 24), w));
  }
  const __m256i blueGreen =
      _mm256_or_si256(_mm256_srli_epi32(b, 16),
                      _mm256_and_si256(_mm256_srli_epi32(g, 8), _mm256_set1_epi32(0xFF00)));
  const __m256i redAlpha = _mm256_or_si256(_mm256_and_si256(r, _mm256_set1_epi32(0xFF0000)),
                                           _mm256_slli_epi32(_mm256_srli_epi32(a, 16), 24));
  return _mm256_or_si256(blueGreen, redAlpha);
}

// A block's columns are worked out only when some row needs them.
__attribute__((target("avx2"))) void ShrinkAvx2(const Shrinking& shrinking, const BandRows& rows,
                                                std::span<const ColumnRange> ranges,
                                                ColumnRange bounds) {
  const Destinations band(rows);
  const Starts starts(shrinking.step);
  Blocks blocks(band, ranges, bounds, kBlock);
  std::array<Loaded, BandRows::kMaxRows> loaded;
  ShrinkColumns columns;
  for (std::uint64_t j = 0; blocks.Next(j);) {
    const Reach reach = ReachOf(shrinking, j);
    bool uniform = true;
    for (std::size_t r = 0; r < band.count; ++r) {
      loaded[r].Load(band.sources[r], rows.sourceLength, reach);
      uniform = uniform && loaded[r].uniform;
    }
    if (!uniform) Columns(shrinking, starts, j, reach.first, columns);
    for (std::size_t r = 0; r < band.count; ++r) {
      const Loaded& row = loaded[r];
      band.Store(row.uniform ? row.same : Shrink(columns, row, reach.loads), r, j);
    }
  }
}

}  // namespace

bool ShrinkBlocksRun() {
  return __builtin_cpu_supports("avx2");
}

bool ShrinksInBlocks(const Shrinking& shrinking) {
  return shrinking.step > Shrinking::kOne && shrinking.step <= (kMaxTerms - 1) * Shrinking::kOne;
}

void ShrinkInBlocks(const Shrinking& shrinking, const BandRows& rows,
                    std::span<const ColumnRange> ranges, ColumnRange bounds) {
  if (bounds.end - bounds.begin < kBlock) {
    shrinking.DrawColumns(rows, ranges);
    return;
  }
  ShrinkAvx2(shrinking, rows, ranges, bounds);
}

#else

bool ShrinkBlocksRun() {
  return false;
}

bool ShrinksInBlocks(const Shrinking& /*shrinking*/) {
  return false;
}

void ShrinkInBlocks(const Shrinking& shrinking, const BandRows& rows,
                    std::span<const ColumnRange> ranges, ColumnRange /*bounds*/) {
  shrinking.DrawColumns(rows, ranges);
}

#endif

}  // namespace tarvex::pixels
