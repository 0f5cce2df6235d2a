// The vector blocks of a widening: eight columns at a time, with AVX2 or,
// where the processor has byte permutes (AVX-512 VBMI), with fewer steps. A
// block works out its columns' source pixels and weights once for all rows
// of the band. Then, for each row, it gathers each column's pair of source
// pixels with their bytes interleaved, and mixes each channel with one
// multiply-add of bytes against the weights, exactly as Widening::Column
// does. With AVX2 the pairs take two loads, two permutes and two unpacks;
// with byte permutes, one load and two permutes straight into place.

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

// Per channel ((127 - w) a + w b) 258 / 2^15, rounded, of the pairs
// interleaved byte by byte: the low pairs are those of columns 0, 1, 4 and
// 5, the high ones those of columns 2, 3, 6 and 7, as the unpacking of
// eight pixels with eight others arranges them.
TARVEX_AVX2 __m256i MixPairs(const BlockColumns& columns, __m256i lowPairs, __m256i highPairs) {
  const __m256i scale = _mm256_set1_epi16(258);
  const __m256i low =
      _mm256_mulhrs_epi16(_mm256_maddubs_epi16(lowPairs, columns.lowWeights), scale);
  const __m256i high =
      _mm256_mulhrs_epi16(_mm256_maddubs_epi16(highPairs, columns.highWeights), scale);
  return _mm256_packus_epi16(low, high);
}

// A row's eight columns from a line of `length` pixels: each column's first
// pixel and the one after it, picked out of the eight from the first
// column's and the eight after them, then unpacked byte by byte.
TARVEX_AVX2 __m256i Mix(const BlockColumns& columns, const std::uint32_t* line,
                        std::uint64_t length) {
  const std::uint64_t available = length - columns.first;
  const __m256i a =
      _mm256_permutevar8x32_epi32(Load(line + columns.first, available), columns.index);
  const __m256i b =
      _mm256_permutevar8x32_epi32(Load(line + columns.first + 1, available - 1), columns.index);
  return MixPairs(columns, _mm256_unpacklo_epi8(a, b), _mm256_unpackhi_epi8(a, b));
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

// Byte permutes pick each column's pair, bytes interleaved, straight out of
// the eight pixels from the first column's; the picks of a block serve all
// its rows. Byte 2c of a pair takes channel c of the column's first pixel,
// byte 2c + 1 channel c of the pixel after it.
#define TARVEX_VBMI \
  __attribute__((target("avx2,avx512f,avx512bw,avx512vl,avx512vbmi"), always_inline)) inline

// _mm256_permutexvar_epi8 with every byte kept, through the zero-masking
// form: GCC 12's plain form starts from an undefined vector and warns.
TARVEX_VBMI __m256i PermuteBytes(__m256i index, __m256i bytes) {
  return _mm256_maskz_permutexvar_epi8(~__mmask32{0}, index, bytes);
}

struct BytePicks {
  __m256i low;   // columns 0, 1, 4 and 5
  __m256i high;  // columns 2, 3, 6 and 7
};

TARVEX_VBMI BytePicks Picks(const BlockColumns& columns) {
  const __m256i offsets = _mm256_slli_epi32(columns.index, 2);
  // Each byte starts from the low byte of its column's pixel offset...
  const __m256i lowColumns = _mm256_setr_epi64x(0x0000000000000000, 0x0404040404040404,
                                                0x1010101010101010, 0x1414141414141414);
  const __m256i highColumns = _mm256_setr_epi64x(0x0808080808080808, 0x0C0C0C0C0C0C0C0C,
                                                 0x1818181818181818, 0x1C1C1C1C1C1C1C1C);
  // ... and adds its channel, and one pixel for the second of the pair.
  const __m256i channels = _mm256_set1_epi64x(0x0703060205010400);
  return {_mm256_add_epi8(PermuteBytes(lowColumns, offsets), channels),
          _mm256_add_epi8(PermuteBytes(highColumns, offsets), channels)};
}

// Whether every block's pairs lie within its eight pixels: the last
// column's second pixel is at most the eighth when 7 steps reach no further
// than 6 pixels past the first column's fraction.
bool PicksFit(const Widening& widening) {
  return 7 * widening.step <= 6 * kWideningOne;
}

TARVEX_VBMI __m256i MixPicked(const BlockColumns& columns, const BytePicks& picks,
                              const std::uint32_t* line, std::uint64_t length) {
  const std::uint64_t available = length - columns.first;
  const std::uint32_t* at = line + columns.first;
  const __m256i pixels =
      available >= kBlock
          ? _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at))
          : _mm256_maskz_loadu_epi32(static_cast<__mmask8>((1u << available) - 1), at);
  return MixPairs(columns, PermuteBytes(picks.low, pixels), PermuteBytes(picks.high, pixels));
}

// The first columns of a band's blocks, in order. Each range is drawn in
// whole blocks, the first stepped back onto a 32-byte line where the bounds
// allow; a block that would pass the bounds steps back instead, and one may
// run past its range into the gap after it, which only draws columns their
// own values.
class Blocks {
 public:
  Blocks(const Destinations& band, std::span<const ColumnRange> ranges, ColumnRange bounds)
      : band_(band), range_(ranges.begin()), end_(ranges.end()), bounds_(bounds) {}

  // The next block's first column; false after the last block.
  bool Next(std::uint64_t& column) {
    for (; range_ != end_; ++range_, open_ = false) {
      if (open_) {
        j_ += kBlock;
      } else {
        j_ = std::max(range_->begin, drawn_);
        const std::uint64_t back = band_.Misalignment(j_);
        if (j_ >= bounds_.begin + back) j_ -= back;
        open_ = true;
      }
      if (j_ < range_->end) {
        j_ = std::min(j_, bounds_.end - kBlock);
        column = j_;
        return true;
      }
      drawn_ = std::max(drawn_, j_);
    }
    return false;
  }

 private:
  const Destinations& band_;
  std::span<const ColumnRange>::iterator range_;
  std::span<const ColumnRange>::iterator end_;
  ColumnRange bounds_;
  std::uint64_t j_ = 0;
  std::uint64_t drawn_ = 0;  // columns before this one are drawn
  bool open_ = false;        // whether j_ is a block of the current range
};

__attribute__((target("avx2"))) void WidenAvx2(const Widening& widening, const Destinations& band,
                                               Blocks blocks, std::uint64_t length) {
  const BlockConstants constants = MakeConstants(widening);
  for (std::uint64_t j = 0; blocks.Next(j);) {
    const BlockColumns columns = Columns(constants, widening, j);
    for (std::size_t r = 0; r < band.count; ++r) {
      band.Store(Mix(columns, band.sources[r], length), r, j);
    }
  }
}

__attribute__((target("avx2,avx512f,avx512bw,avx512vl,avx512vbmi"))) void WidenPicked(
    const Widening& widening, const Destinations& band, Blocks blocks, std::uint64_t length) {
  const BlockConstants constants = MakeConstants(widening);
  for (std::uint64_t j = 0; blocks.Next(j);) {
    const BlockColumns columns = Columns(constants, widening, j);
    const BytePicks picks = Picks(columns);
    for (std::size_t r = 0; r < band.count; ++r) {
      band.Store(MixPicked(columns, picks, band.sources[r], length), r, j);
    }
  }
}

}  // namespace

bool Runs(BlockKernel kernel) {
  switch (kernel) {
    case BlockKernel::kAvx2:
      return __builtin_cpu_supports("avx2");
    case BlockKernel::kBytePermutes:
      return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("avx512vl") &&
             __builtin_cpu_supports("avx512bw") && __builtin_cpu_supports("avx512vbmi");
  }
  return false;
}

void WidenInBlocks(BlockKernel kernel, const Widening& widening, const BandRows& rows,
                   std::span<const ColumnRange> ranges, ColumnRange bounds) {
  if (bounds.end - bounds.begin < kBlock) {
    widening.DrawColumns(rows, ranges);
    return;
  }
  const Destinations band(rows);
  const Blocks blocks(band, ranges, bounds);
  if (kernel == BlockKernel::kBytePermutes && PicksFit(widening)) {
    WidenPicked(widening, band, blocks, rows.sourceLength);
  } else {
    WidenAvx2(widening, band, blocks, rows.sourceLength);
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

}  // namespace tarvex::qt
