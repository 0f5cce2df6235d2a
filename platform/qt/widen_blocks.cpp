// The vector blocks of a widening: eight columns at a time with AVX2, chosen
// when the processor has it. A block works out its columns' source pixels
// and weights once for all rows of the band; then, for each row, it loads
// the eight source pixels from the first column's and the eight after them,
// picks each column's pair out of those, and mixes the pair exactly as
// Widening::Column does. The mix keeps to masks, adds and multiplies (the
// processor's shuffle unit is the scarce one): blue and red in the low bytes
// of 16-bit lanes, green and alpha in the high bytes.

#include "platform/qt/widen_blocks.h"

#include <algorithm>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define TARVEX_WIDEN_AVX2 1
#endif

namespace tarvex::qt {

#ifdef TARVEX_WIDEN_AVX2
namespace {

constexpr std::uint64_t kBlock = 8;

#define TARVEX_AVX2 __attribute__((target("avx2"), always_inline)) inline

struct BlockConstants {
  __m256i steps;      // k step for k = 0..7
  __m256i fraction;   // the mask of a position's fraction
  __m256i reachBias;  // step - 1 pixel: how far a column reaches past its first pixel
  __m128i shift;      // Widening::shift
  __m256i inverse;    // Widening::inverse
  __m256i half;       // Widening::kHalf
};

TARVEX_AVX2 BlockConstants MakeConstants(const Widening& widening) {
  const auto step = static_cast<int>(widening.step);
  return {_mm256_mullo_epi32(_mm256_set1_epi32(step), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7)),
          _mm256_set1_epi32(static_cast<int>(kWideningOne - 1)),
          _mm256_set1_epi32(step - static_cast<int>(kWideningOne)),
          _mm_cvtsi32_si128(widening.shift),
          _mm256_set1_epi32(static_cast<int>(widening.inverse)),
          _mm256_set1_epi32(static_cast<int>(Widening::kHalf))};
}

// Eight columns' pairs: which of the eight source pixels from the first
// column's each starts on, and the weight of the pixel after it, out of 256,
// in both 16-bit halves of the column's lane.
struct BlockColumns {
  std::uint64_t first;  // the first column's source pixel
  __m256i index;
  __m256i weight;
};

TARVEX_AVX2 BlockColumns Columns(const BlockConstants& c, const Widening& widening,
                                 std::uint64_t j) {
  const std::uint64_t position = j * widening.step;
  const auto fraction = static_cast<int>(position & (kWideningOne - 1));
  const __m256i at = _mm256_add_epi32(_mm256_set1_epi32(fraction), c.steps);
  const __m256i part = _mm256_add_epi32(_mm256_and_si256(at, c.fraction), c.reachBias);
  const __m256i product =
      _mm256_add_epi32(_mm256_mullo_epi32(_mm256_srl_epi32(part, c.shift), c.inverse), c.half);
  const __m256i weight = _mm256_and_si256(_mm256_cmpgt_epi32(part, _mm256_setzero_si256()),
                                          _mm256_srli_epi32(product, 23));
  return {position >> kWideningBits, _mm256_srli_epi32(at, kWideningBits),
          _mm256_or_si256(weight, _mm256_slli_epi32(weight, 16))};
}

// 256 a + w (b - a) in 16-bit lanes: the difference wraps, but the result
// fits, so the wraps cancel.
TARVEX_AVX2 __m256i Mix(const BlockColumns& columns, const std::uint32_t* source) {
  const std::uint32_t* at = source + columns.first;
  const __m256i a = _mm256_permutevar8x32_epi32(
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at)), columns.index);
  const __m256i b = _mm256_permutevar8x32_epi32(
      _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at + 1)), columns.index);
  const __m256i lowBytes = _mm256_set1_epi16(0x00FF);
  const __m256i low = _mm256_add_epi16(
      _mm256_slli_epi16(a, 8), _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_and_si256(b, lowBytes),
                                                                   _mm256_and_si256(a, lowBytes)),
                                                  columns.weight));
  const __m256i high = _mm256_add_epi16(
      _mm256_andnot_si256(lowBytes, a),
      _mm256_mullo_epi16(_mm256_sub_epi16(_mm256_srli_epi16(b, 8), _mm256_srli_epi16(a, 8)),
                         columns.weight));
  return _mm256_or_si256(_mm256_srli_epi16(low, 8), _mm256_andnot_si256(lowBytes, high));
}

TARVEX_AVX2 void Store(__m256i pixels, const BandRows& rows, std::size_t r, std::uint64_t j) {
  if (rows.direction > 0) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(rows.At(r, j)), pixels);
    return;
  }
  const __m256i reverse = _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0);
  _mm256_storeu_si256(reinterpret_cast<__m256i*>(rows.At(r, j + kBlock - 1)),
                      _mm256_permutevar8x32_epi32(pixels, reverse));
}

}  // namespace

bool CanWidenInBlocks() {
  return __builtin_cpu_supports("avx2");
}

// Each range is drawn in whole blocks; a block that would pass the bounds
// steps back instead, and one may run past its range into the gap after it,
// which only draws columns their own values. Blocks that would read past the
// source line leave their columns to Widening::Column.
__attribute__((target("avx2"))) void WidenInBlocks(const Widening& widening, const BandRows& rows,
                                                   std::span<const ColumnRange> ranges,
                                                   ColumnRange bounds) {
  const BlockConstants constants = MakeConstants(widening);
  // A block reads nine source pixels from its first column's: eight columns
  // of a widening reach at most eight pixels, and a straddle one more.
  const auto fits = [&](std::uint64_t j) {
    return ((j * widening.step) >> kWideningBits) + kBlock + 1 <= rows.sourceLength;
  };
  const bool wideEnough = bounds.end - bounds.begin >= kBlock;
  std::uint64_t drawn = 0;  // columns before this one are drawn
  for (const ColumnRange& range : ranges) {
    std::uint64_t j = std::max(range.begin, drawn);
    for (; j < range.end; j += kBlock) {
      const std::uint64_t at = std::min(j, bounds.end - kBlock);
      if (!wideEnough || !fits(at)) break;
      const BlockColumns columns = Columns(constants, widening, at);
      for (std::size_t r = 0; r < rows.count; ++r) {
        Store(Mix(columns, rows.sources[r]), rows, r, at);
      }
      j = at;
    }
    for (; j < range.end; ++j) {
      for (std::size_t r = 0; r < rows.count; ++r) {
        *rows.At(r, j) = widening.Column(rows.sources[r], j);
      }
    }
    drawn = std::max(drawn, j);
  }
}

#else

bool CanWidenInBlocks() {
  return false;
}

void WidenInBlocks(const Widening& /*widening*/, const BandRows& /*rows*/,
                   std::span<const ColumnRange> /*ranges*/, ColumnRange /*bounds*/) {}

#endif

}  // namespace tarvex::qt
