// The vector blocks of a widening: eight columns at a time with AVX2, or
// sixteen on 512-bit vectors where the processor has AVX-512's byte
// permutes. A block works out its columns' source pixels and weights once
// for all rows of the band. Then, for each row, it gathers each column's
// pair of source pixels with their bytes interleaved, and mixes each channel
// with one multiply-add of bytes against the weights, exactly as
// Widening::Column does. With AVX2 the pairs take two loads, two permutes
// and two unpacks; with byte permutes, one load and two permutes straight
// into place.

#include "platform/pixels/widen_blocks.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/pixels/band_blocks.h"

namespace tarvex::pixels {

#ifdef TARVEX_PIXELS_AVX2
namespace {

struct BlockConstants {
  __m256i steps;      // k step for k = 0..7
  __m256i fraction;   // the mask of a position's fraction
  __m256i reachBias;  // step - 1 pixel: how far a column reaches past its first pixel
  __m128i shift;      // Widening::shift
  __m256i inverse;    // Widening::inverse
  __m256i half;       // Widening::kHalf
};

TARVEX_AVX2 BlockConstants MakeConstants(const Widening& widening) noexcept {
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
// 64 - w and w, for the columns of the low and high halves of each lane's
// interleaved pairs.
struct BlockColumns {
  std::uint64_t first;  // the first column's source pixel
  __m256i index;
  __m256i lowWeights;
  __m256i highWeights;
};

TARVEX_AVX2 BlockColumns Columns(const BlockConstants& c, const Widening& widening,
                                 std::uint64_t j) noexcept {
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

// Per channel ((64 - w) a + w b) / 64, truncated: unpacking a and b byte
// by byte puts each channel's pair next to its weights. The line holds
// `length` pixels.
TARVEX_AVX2 __m256i Mix(const BlockColumns& columns, const std::uint32_t* line,
                        std::uint64_t length) noexcept {
  const std::uint64_t available = length - columns.first;
  const __m256i a =
      _mm256_permutevar8x32_epi32(LoadLine(line + columns.first, available), columns.index);
  const __m256i b =
      _mm256_permutevar8x32_epi32(LoadLine(line + columns.first + 1, available - 1), columns.index);
  const __m256i low = _mm256_srli_epi16(
      _mm256_maddubs_epi16(_mm256_unpacklo_epi8(a, b), columns.lowWeights), Widening::kWholeBits);
  const __m256i high = _mm256_srli_epi16(
      _mm256_maddubs_epi16(_mm256_unpackhi_epi8(a, b), columns.highWeights), Widening::kWholeBits);
  return _mm256_packus_epi16(low, high);
}

__attribute__((target("avx2"))) void WidenAvx2(const Widening& widening, const BandRows& rows,
                                               std::span<const ColumnRange> ranges,
                                               ColumnRange bounds) {
  const Destinations band(rows);
  Blocks blocks(band, ranges, bounds, kBlock);
  const std::uint64_t length = rows.sourceLength;
  const BlockConstants constants = MakeConstants(widening);
  for (std::uint64_t j = 0; blocks.Next(j);) {
    const BlockColumns columns = Columns(constants, widening, j);
    for (std::size_t r = 0; r < band.count; ++r) {
      band.Store(Mix(columns, band.sources[r], length), r, j);
    }
  }
}

// Sixteen columns at a time on 512-bit vectors, where byte permutes reach
// all sixteen pixels from the first column's. The two halves of a block
// count their positions from their own first columns, so that they keep to
// 32 bits; the second half's pixels are then moved on by how far its first
// column lies from the block's.
constexpr std::uint64_t kWideBlock = 16;

#define TARVEX_AVX512 \
  __attribute__((target("avx2,avx512f,avx512bw,avx512vl,avx512vbmi"), always_inline)) inline

// Qword q of the low pairs holds column 2q, of the high pairs column
// 2q + 1, eight bytes each. Their multiply-adds leave a column's four
// channels in one qword, 16 bits each, from where a multishift takes them
// to the qword's first or second pixel.
constexpr std::size_t PairColumn(std::size_t byte, std::size_t high) {
  return 2 * (byte / 8) + high;
}

// 64 bytes of a vector constant, byte i being f(i), worked out at compile
// time.
struct alignas(64) ByteTable {
  std::array<std::uint8_t, 64> bytes;

  template <class F>
  static constexpr ByteTable Of(F f) {
    ByteTable table{};
    for (std::size_t i = 0; i < table.bytes.size(); ++i) {
      table.bytes[i] = static_cast<std::uint8_t>(f(i));
    }
    return table;
  }

  TARVEX_AVX512 __m512i Load() const noexcept { return _mm512_load_si512(bytes.data()); }
};

// Byte permutes that spread each column's value over its eight pair bytes:
// the low byte of its 32-bit lane, and for the weights, 64 - w first and w
// second.
constexpr ByteTable kLowSpread = ByteTable::Of([](std::size_t i) { return 4 * PairColumn(i, 0); });
constexpr ByteTable kHighSpread = ByteTable::Of([](std::size_t i) { return 4 * PairColumn(i, 1); });
constexpr ByteTable kLowWeightSpread =
    ByteTable::Of([](std::size_t i) { return 64 * (i % 2) + 4 * PairColumn(i, 0); });
constexpr ByteTable kHighWeightSpread =
    ByteTable::Of([](std::size_t i) { return 64 * (i % 2) + 4 * PairColumn(i, 1); });
// Byte 2c + t of a pair takes channel c of the pair's pixel t.
constexpr ByteTable kChannels =
    ByteTable::Of([](std::size_t i) { return 4 * (i % 2) + (i % 8) / 2; });
// Byte 4p + c of a qword of pixels takes channel c's sum, shifted down to
// out of 64: bits 16c + 6 on of the qword.
constexpr ByteTable kChannelSums = ByteTable::Of(
    [](std::size_t i) { return 16 * (i % 4) + static_cast<std::size_t>(Widening::kWholeBits); });

struct WideConstants {
  __m512i steps;      // k step for k = 0..7, in each half
  __m512i fraction;   // the mask of a position's fraction
  __m512i reachBias;  // step - 1 pixel
  __m128i shift;      // Widening::shift
  __m512i inverse;    // Widening::inverse
  __m512i half;       // Widening::kHalf
  __m512i whole;      // Widening::kWhole
};

TARVEX_AVX512 WideConstants MakeWideConstants(const Widening& widening) noexcept {
  const auto step = static_cast<int>(widening.step);
  return {_mm512_mullo_epi32(_mm512_set1_epi32(step),
                             _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 0, 1, 2, 3, 4, 5, 6, 7)),
          _mm512_set1_epi32(static_cast<int>(kWideningOne - 1)),
          _mm512_set1_epi32(step - static_cast<int>(kWideningOne)),
          _mm_cvtsi32_si128(widening.shift),
          _mm512_set1_epi32(static_cast<int>(widening.inverse)),
          _mm512_set1_epi32(static_cast<int>(Widening::kHalf)),
          _mm512_set1_epi32(static_cast<int>(Widening::kWhole))};
}

struct WideColumns {
  std::uint64_t first;  // the first column's source pixel
  __m512i lowPicks;     // the low pairs' bytes, out of the 16 pixels from `first`
  __m512i highPicks;
  __m512i lowWeights;  // their weights
  __m512i highWeights;
};

TARVEX_AVX512 WideColumns WideColumnsAt(const WideConstants& c, const Widening& widening,
                                        std::uint64_t j) noexcept {
  const std::uint64_t position = j * widening.step;
  const std::uint64_t middle = position + kBlock * widening.step;
  const std::uint64_t first = position >> kWideningBits;
  const auto fraction = static_cast<int>(position & (kWideningOne - 1));
  const auto middleFraction = static_cast<int>(middle & (kWideningOne - 1));
  const auto middleOffset = static_cast<int>((middle >> kWideningBits) - first);
  constexpr __mmask16 kSecondHalf = 0xFF00;
  const __m512i at = _mm512_add_epi32(
      _mm512_mask_set1_epi32(_mm512_set1_epi32(fraction), kSecondHalf, middleFraction), c.steps);
  const __m512i part = _mm512_add_epi32(_mm512_and_si512(at, c.fraction), c.reachBias);
  const __m512i product =
      _mm512_add_epi32(_mm512_mullo_epi32(_mm512_srl_epi32(part, c.shift), c.inverse), c.half);
  const __m512i weight =
      _mm512_maskz_srli_epi32(_mm512_cmpgt_epi32_mask(part, _mm512_setzero_si512()), product, 24);
  const __m512i rest = _mm512_sub_epi32(c.whole, weight);
  const __m512i halfPixel = _mm512_srli_epi32(at, kWideningBits);
  const __m512i pixel =
      _mm512_mask_add_epi32(halfPixel, kSecondHalf, halfPixel, _mm512_set1_epi32(middleOffset));
  const __m512i offsets = _mm512_slli_epi32(pixel, 2);
  const __m512i channels = kChannels.Load();
  return {first, _mm512_add_epi8(_mm512_permutexvar_epi8(kLowSpread.Load(), offsets), channels),
          _mm512_add_epi8(_mm512_permutexvar_epi8(kHighSpread.Load(), offsets), channels),
          _mm512_permutex2var_epi8(rest, kLowWeightSpread.Load(), weight),
          _mm512_permutex2var_epi8(rest, kHighWeightSpread.Load(), weight)};
}

// Whether a block's pairs lie within its sixteen pixels: the last column's
// second pixel is at most the sixteenth when 15 steps reach no further than
// 14 pixels past the first column's fraction.
bool WideFits(const Widening& widening) {
  return 15 * widening.step <= 14 * kWideningOne;
}

// A block's row of `line`, mixed from the sixteen source pixels from its
// first, of which `loaded` says which lie on the line: the rest read as
// zero, without touching memory.
TARVEX_AVX512 __m512i MixWide(const WideColumns& columns, __mmask16 loaded,
                              const std::uint32_t* line) noexcept {
  const __m512i pixels = _mm512_maskz_loadu_epi32(loaded, line + columns.first);
  const __m512i low =
      _mm512_maddubs_epi16(_mm512_permutexvar_epi8(columns.lowPicks, pixels), columns.lowWeights);
  const __m512i high =
      _mm512_maddubs_epi16(_mm512_permutexvar_epi8(columns.highPicks, pixels), columns.highWeights);
  const __m512i sums = kChannelSums.Load();
  constexpr __mmask64 kSecondPixels = 0xF0F0F0F0F0F0F0F0u;
  return _mm512_mask_multishift_epi64_epi8(_mm512_multishift_epi64_epi8(sums, low), kSecondPixels,
                                           sums, high);
}

// Which of the sixteen pixels from a block's first lie on a line of
// `length`.
TARVEX_AVX512 __mmask16 Loaded(const WideColumns& columns, std::uint64_t length) noexcept {
  const std::uint64_t available = length - columns.first;
  return available >= kWideBlock ? __mmask16{0xFFFF}
                                 : static_cast<__mmask16>((1u << available) - 1);
}

// Stores a block's row, right to left when the copy is mirrored: a
// parameter of the kernel, so that its rows do not ask each time.
template <bool kMirror>
TARVEX_AVX512 void StoreWide(const Destinations& band, __m512i pixels, std::size_t r,
                             std::uint64_t j) noexcept {
  if constexpr (kMirror) {
    pixels = _mm512_permutexvar_epi32(
        _mm512_setr_epi32(15, 14, 13, 12, 11, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0), pixels);
  }
  _mm512_storeu_si512(band.BlockAt<kMirror>(r, j, kWideBlock), pixels);
}

template <bool kMirror>
__attribute__((target("avx2,avx512f,avx512bw,avx512vl,avx512vbmi"))) void WidenWide(
    const Widening& widening, const BandRows& rows, std::span<const ColumnRange> ranges,
    ColumnRange bounds) {
  const Destinations band(rows);
  Blocks blocks(band, ranges, bounds, kWideBlock);
  const std::uint64_t length = rows.sourceLength;
  const WideConstants constants = MakeWideConstants(widening);
  // The next block's columns are worked out before this block's rows are
  // mixed, so that the processor overlaps the two.
  std::uint64_t next = 0;
  bool more = blocks.Next(next);
  WideColumns upcoming{};
  if (more) upcoming = WideColumnsAt(constants, widening, next);
  while (more) {
    const WideColumns columns = upcoming;
    const __mmask16 loaded = Loaded(columns, length);
    const std::uint64_t j = next;
    more = blocks.Next(next);
    if (more) upcoming = WideColumnsAt(constants, widening, next);
    for (std::size_t r = 0; r < band.count; ++r) {
      StoreWide<kMirror>(band, MixWide(columns, loaded, band.sources[r]), r, j);
    }
  }
}

}  // namespace

bool Runs(BlockKernel kernel) {
  switch (kernel) {
    case BlockKernel::kAvx2:
      return __builtin_cpu_supports("avx2");
    case BlockKernel::kBytePermutes:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512f") &&
             __builtin_cpu_supports("avx512vl") && __builtin_cpu_supports("avx512bw") &&
             __builtin_cpu_supports("avx512vbmi");
  }
  return false;
}

// The kernels copy the band out of BandRows themselves: a copy passed to
// them by value was read back in wider pieces than the stores that had just
// made it, and waited for those stores to reach the cache.
void WidenInBlocks(BlockKernel kernel, const Widening& widening, const BandRows& rows,
                   std::span<const ColumnRange> ranges, ColumnRange bounds) {
  if (bounds.end - bounds.begin < kBlock) {
    widening.DrawColumns(rows, ranges);
    return;
  }
  if (kernel == BlockKernel::kBytePermutes && bounds.end - bounds.begin >= kWideBlock &&
      WideFits(widening)) {
    if (rows.direction < 0) {
      WidenWide<true>(widening, rows, ranges, bounds);
    } else {
      WidenWide<false>(widening, rows, ranges, bounds);
    }
  } else {
    WidenAvx2(widening, rows, ranges, bounds);
  }
}

#else

bool Runs(BlockKernel /*kernel*/) {
  return false;
}

void WidenInBlocks(BlockKernel /*kernel*/, const Widening& widening, const BandRows& rows,
                   std::span<const ColumnRange> ranges, ColumnRange /*bounds*/) {
  widening.DrawColumns(rows, ranges);
}

#endif

std::optional<BlockKernel> BestBlockKernel() {
  for (const BlockKernel kernel : {BlockKernel::kBytePermutes, BlockKernel::kAvx2}) {
    if (Runs(kernel)) return kernel;
  }
  return std::nullopt;
}

}  // namespace tarvex::pixels
