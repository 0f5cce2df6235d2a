// The vector blocks of a widening: eight columns at a time with AVX2, chosen
// when the processor has it. A block works out its columns' source pixels
// and weights once for all rows of the band; then, for each row, it loads
// the eight source pixels from the first column's and the eight after them,
// picks each column's pair out of those, interleaves the pairs' bytes and
// mixes each channel with one multiply-add of bytes against the weights,
// exactly as Widening::Column does.

#include "platform/qt/widen_blocks.h"

#include <algorithm>
#include <array>
#include <cstdint>

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
// column's each starts on, and the bytes that weigh a pair's two pixels,
// 127 - w and w, for the columns of the low and high halves of each lane's
// interleaved pairs.
struct BlockColumns {
  std::uint64_t first;  // the first column's source pixel
  __m256i index;
  __m256i lowWeights;
  __m256i highWeights;
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
                                          _mm256_srli_epi32(product, 24));
  const __m256i pair = _mm256_or_si256(
      _mm256_sub_epi32(_mm256_set1_epi32(Widening::kWhole), weight), _mm256_slli_epi32(weight, 8));
  const __m256i pairs = _mm256_or_si256(pair, _mm256_slli_epi32(pair, 16));
  return {position >> kWideningBits, _mm256_srli_epi32(at, kWideningBits),
          _mm256_unpacklo_epi32(pairs, pairs), _mm256_unpackhi_epi32(pairs, pairs)};
}

// The eight source pixels from `at`, of which only the first `available`
// lie on the line: the rest read as zero, without touching memory, near the
// line's end. A column never takes a pixel beyond the line in more than
// weight zero.
TARVEX_AVX2 __m256i Load(const std::uint32_t* at, std::uint64_t available) {
  if (available >= kBlock) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
  const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(available)),
                                          _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  return _mm256_maskload_epi32(reinterpret_cast<const int*>(at), mask);
}

// Per channel ((127 - w) a + w b) 258 / 2^15, rounded: unpacking a and b
// byte by byte puts each channel's pair next to its weights. The line holds
// `length` pixels.
TARVEX_AVX2 __m256i Mix(const BlockColumns& columns, const std::uint32_t* line,
                        std::uint64_t length) {
  const std::uint64_t available = length - columns.first;
  const __m256i a =
      _mm256_permutevar8x32_epi32(Load(line + columns.first, available), columns.index);
  const __m256i b =
      _mm256_permutevar8x32_epi32(Load(line + columns.first + 1, available - 1), columns.index);
  const __m256i scale = _mm256_set1_epi16(258);
  const __m256i low = _mm256_mulhrs_epi16(
      _mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), columns.lowWeights), scale);
  const __m256i high = _mm256_mulhrs_epi16(
      _mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), columns.highWeights), scale);
  return _mm256_packus_epi16(low, high);
}

// A band's rows, copied out of BandRows so that the stores cannot be taken
// to change them.
struct Destinations {
  std::array<std::uint32_t*, BandRows::kMaxRows> dests;
  std::array<const std::uint32_t*, BandRows::kMaxRows> sources;
  std::size_t count;
  std::ptrdiff_t origin;
  bool mirror;

  explicit Destinations(const BandRows& rows)
      : dests(rows.dests),
        sources(rows.sources),
        count(rows.count),
        origin(rows.origin),
        mirror(rows.direction < 0) {}

  // The lowest address a block at column j writes in row r.
  std::uint32_t* Block(std::size_t r, std::uint64_t j) const {
    const auto offset = static_cast<std::ptrdiff_t>(j);
    return dests[r] +
           (mirror ? origin - offset - static_cast<std::ptrdiff_t>(kBlock - 1) : origin + offset);
  }

  // How many columns a block at j steps back to store on a 32-byte line of
  // the first row: a store that straddles two lines costs two.
  std::uint64_t Misalignment(std::uint64_t j) const {
    const auto pixel = reinterpret_cast<std::uintptr_t>(Block(0, j)) / sizeof(std::uint32_t);
    return mirror ? (kBlock - pixel % kBlock) % kBlock : pixel % kBlock;
  }

  TARVEX_AVX2 void Store(__m256i pixels, std::size_t r, std::uint64_t j) const {
    if (mirror) {
      pixels = _mm256_permutevar8x32_epi32(pixels, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Block(r, j)), pixels);
  }
};

}  // namespace

bool CanWidenInBlocks() {
  return __builtin_cpu_supports("avx2");
}

// Each range is drawn in whole blocks, the first stepped back onto a 32-byte
// line where the bounds allow; a block that would pass the bounds steps back
// instead, and one may run past its range into the gap after it, which only
// draws columns their own values.
__attribute__((target("avx2"))) void WidenInBlocks(const Widening& widening, const BandRows& rows,
                                                   std::span<const ColumnRange> ranges,
                                                   ColumnRange bounds) {
  if (bounds.end - bounds.begin < kBlock) {
    widening.DrawColumns(rows, ranges);
    return;
  }
  const BlockConstants constants = MakeConstants(widening);
  const Destinations band(rows);
  const std::uint64_t length = rows.sourceLength;
  std::uint64_t drawn = 0;  // columns before this one are drawn
  for (const ColumnRange& range : ranges) {
    std::uint64_t j = std::max(range.begin, drawn);
    const std::uint64_t back = band.Misalignment(j);
    if (j >= bounds.begin + back) j -= back;
    for (; j < range.end; j += kBlock) {
      j = std::min(j, bounds.end - kBlock);
      const BlockColumns columns = Columns(constants, widening, j);
      for (std::size_t r = 0; r < band.count; ++r) {
        band.Store(Mix(columns, band.sources[r], length), r, j);
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
