// The vector blocks of a shrinking: eight columns at a time with AVX2. A
// block works out its columns' source pixels and weights once for all rows
// of the band, term by term: term k of a column is the k-th source pixel
// its footprint covers. Then, for each row, it loads the source pixels the
// block covers, eight at a time; each term picks its eight pixels out of
// them with permutes (gathers cost several times more) and adds each
// channel times its weight in 32-bit lanes, exactly as Shrinking::Column's
// sums do; the products stay below 2^24.

#include "platform/pixels/shrink_blocks.h"

#include <algorithm>
#include <array>

#include "platform/pixels/band_blocks.h"

namespace tarvex::pixels {

#ifdef TARVEX_PIXELS_AVX2
namespace {

// Footprints of up to this many source pixels are drawn in blocks.
constexpr std::size_t kMaxTerms = 8;

// A block's footprints reach at most this many loads of eight pixels.
constexpr std::size_t kMaxLoads = kMaxTerms;

// Term k of column i of a block: source pixel first + offset[k][i] of the
// line, weighed weight[k][i] in 1/65536; `terms` of them, within `loads`
// loads of eight pixels from `first`.
struct ShrinkColumns {
  std::uint64_t first;
  __m256i offset[kMaxTerms];
  __m256i weight[kMaxTerms];
  std::size_t terms;
  std::size_t loads;
};

TARVEX_AVX2 __m256i Load(const std::array<std::uint32_t, kBlock>& values) {
  return _mm256_load_si256(reinterpret_cast<const __m256i*>(values.data()));
}

// A column covers source pixels first to first + n; the first weighs
// `head`, those between `middle`, the last `tail`. A column within one
// pixel takes it whole. Terms past a column's last read that one again,
// weighed zero.
TARVEX_AVX2 void Columns(const Shrinking& shrinking, std::uint64_t j, ShrinkColumns& out) {
  alignas(32) std::array<std::uint32_t, kBlock> first{}, count{}, head{}, tail{};
  std::uint64_t start = j * shrinking.step;
  std::uint32_t most = 0;
  for (std::size_t i = 0; i < kBlock; ++i, start += shrinking.step) {
    const std::uint64_t at = start >> 32;
    const auto n = static_cast<std::uint32_t>(((start + shrinking.step - 1) >> 32) - at);
    first[i] = static_cast<std::uint32_t>(at);
    count[i] = n;
    head[i] = n == 0 ? Shrinking::kWhole : shrinking.Covered(((at + 1) << 32) - start);
    tail[i] = n == 0 ? 0 : Shrinking::kWhole - head[i] - shrinking.middle * (n - 1);
    most = std::max(most, n);
  }
  const __m256i firsts =
      _mm256_sub_epi32(Load(first), _mm256_set1_epi32(static_cast<int>(first[0])));
  const __m256i counts = Load(count);
  const __m256i tails = Load(tail);
  const __m256i middle = _mm256_set1_epi32(static_cast<int>(shrinking.middle));
  out.first = first[0];
  out.terms = most + 1;
  out.loads = (first[kBlock - 1] - first[0] + count[kBlock - 1]) / kBlock + 1;
  out.offset[0] = firsts;
  out.weight[0] = Load(head);
  for (std::uint32_t k = 1; k <= most; ++k) {
    const __m256i term = _mm256_set1_epi32(static_cast<int>(k));
    out.offset[k] = _mm256_add_epi32(firsts, _mm256_min_epu32(term, counts));
    out.weight[k] = _mm256_or_si256(_mm256_and_si256(_mm256_cmpgt_epi32(counts, term), middle),
                                    _mm256_and_si256(_mm256_cmpeq_epi32(counts, term), tails));
  }
}

// The eight source pixels from `at`, of which only the first `available`
// lie on the line: the rest read as zero, without touching memory.
TARVEX_AVX2 __m256i LoadLine(const std::uint32_t* at, std::uint64_t available) {
  if (available >= kBlock) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
  const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(available)),
                                          _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  return _mm256_maskload_epi32(reinterpret_cast<const int*>(at), mask);
}

// Pixel offset[i] of `loaded`, for each lane i.
TARVEX_AVX2 __m256i Pick(const __m256i* loaded, std::size_t loads, __m256i offset) {
  __m256i picked = _mm256_permutevar8x32_epi32(loaded[0], offset);
  for (std::size_t m = 1; m < loads; ++m) {
    const __m256i beyond =
        _mm256_cmpgt_epi32(offset, _mm256_set1_epi32(static_cast<int>(m * kBlock) - 1));
    picked = _mm256_blendv_epi8(picked, _mm256_permutevar8x32_epi32(loaded[m], offset), beyond);
  }
  return picked;
}

// The block's eight columns of `line`, which holds `length` pixels.
TARVEX_AVX2 __m256i Shrink(const ShrinkColumns& columns, const std::uint32_t* line,
                           std::uint64_t length) {
  __m256i loaded[kMaxLoads];
  for (std::size_t m = 0; m < columns.loads; ++m) {
    const std::uint64_t at = columns.first + m * kBlock;
    loaded[m] = LoadLine(line + at, length - at);
  }
  // Text is mostly background: where every pixel loaded is the same, so is
  // every column, as the weights add up to a whole.
  const __m256i same = _mm256_permutevar8x32_epi32(loaded[0], _mm256_setzero_si256());
  __m256i uniform = _mm256_cmpeq_epi32(loaded[0], same);
  for (std::size_t m = 1; m < columns.loads; ++m) {
    uniform = _mm256_and_si256(uniform, _mm256_cmpeq_epi32(loaded[m], same));
  }
  if (_mm256_movemask_epi8(uniform) == -1) return same;
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
    const __m256i p = Pick(loaded, columns.loads, columns.offset[k]);
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

__attribute__((target("avx2"))) void ShrinkAvx2(const Shrinking& shrinking, const BandRows& rows,
                                                std::span<const ColumnRange> ranges,
                                                ColumnRange bounds) {
  const Destinations band(rows);
  const std::uint64_t length = rows.sourceLength;
  Blocks blocks(band, ranges, bounds, kBlock);
  ShrinkColumns columns;
  for (std::uint64_t j = 0; blocks.Next(j);) {
    Columns(shrinking, j, columns);
    for (std::size_t r = 0; r < band.count; ++r)
      band.Store(Shrink(columns, band.sources[r], length), r, j);
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
