#pragma once
// What the vector kernels of the blitter share: the rows of a band as they
// store them, and the blocks of columns they draw, eight at a time with AVX2.

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "platform/pixels/blit_row.h"

#if defined(__x86_64__) && defined(__GNUC__)
// GCC 12's AVX-512 shifts and permutes start from an undefined vector, and
// warn about it wherever they are inlined.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <immintrin.h>
#pragma GCC diagnostic pop
#define TARVEX_PIXELS_AVX2 1
#endif

#ifdef TARVEX_PIXELS_AVX2

// The kernels' helpers are noexcept, as nothing in them throws: the
// intrinsics are not declared so, and a coverage build would count an
// exception edge for each of them.
#define TARVEX_AVX2 __attribute__((target("avx2"), always_inline)) inline

namespace tarvex::pixels {

inline constexpr std::uint64_t kBlock = 8;

// The eight source pixels from `at`, of which only the first `available`
// lie on the line: the rest read as zero, without touching memory, near the
// line's end. No column takes a pixel beyond the line in more than weight
// zero.
TARVEX_AVX2 __m256i LoadLine(const std::uint32_t* at, std::uint64_t available) noexcept {
  if (available >= kBlock) return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
  const __m256i mask = _mm256_cmpgt_epi32(_mm256_set1_epi32(static_cast<int>(available)),
                                          _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
  return _mm256_maskload_epi32(reinterpret_cast<const int*>(at), mask);
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

  // The lowest address a block of `width` columns at column j writes in
  // row r; BlockAt knows at compile time whether the copy is mirrored.
  template <bool kMirror>
  std::uint32_t* BlockAt(std::size_t r, std::uint64_t j, std::uint64_t width) const {
    const auto offset = static_cast<std::ptrdiff_t>(j);
    if constexpr (kMirror)
      return dests[r] + origin - offset - static_cast<std::ptrdiff_t>(width - 1);
    return dests[r] + origin + offset;
  }
  std::uint32_t* Block(std::size_t r, std::uint64_t j, std::uint64_t width) const {
    return mirror ? BlockAt<true>(r, j, width) : BlockAt<false>(r, j, width);
  }

  // How many columns a block of `width` columns at j steps back to store on
  // a line of its size in the first row: a store that straddles two lines
  // costs two.
  std::uint64_t Misalignment(std::uint64_t j, std::uint64_t width) const {
    const auto pixel = reinterpret_cast<std::uintptr_t>(Block(0, j, width)) / sizeof(std::uint32_t);
    return mirror ? (width - pixel % width) % width : pixel % width;
  }

  TARVEX_AVX2 void Store(__m256i pixels, std::size_t r, std::uint64_t j) const noexcept {
    if (mirror) {
      pixels = _mm256_permutevar8x32_epi32(pixels, _mm256_setr_epi32(7, 6, 5, 4, 3, 2, 1, 0));
    }
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Block(r, j, kBlock)), pixels);
  }
};

// The first columns of a band's blocks, in order. Each range is drawn in
// whole blocks, the first stepped back onto a line of the block's size where
// the bounds allow; a block that would pass the bounds steps back instead, and one may
// run past its range into the gap after it, which only draws columns their
// own values.
class Blocks {
 public:
  Blocks(const Destinations& band, std::span<const ColumnRange> ranges, ColumnRange bounds,
         std::uint64_t width)
      : band_(band), range_(ranges.begin()), end_(ranges.end()), bounds_(bounds), width_(width) {}

  // The next block's first column; false after the last block.
  bool Next(std::uint64_t& column) {
    for (; range_ != end_; ++range_, open_ = false) {
      if (open_) {
        j_ += width_;
      } else {
        j_ = std::max(range_->begin, drawn_);
        const std::uint64_t back = band_.Misalignment(j_, width_);
        if (j_ >= bounds_.begin + back) j_ -= back;
        open_ = true;
      }
      if (j_ < range_->end) {
        j_ = std::min(j_, bounds_.end - width_);
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
  std::uint64_t width_;  // columns per block
  std::uint64_t j_ = 0;
  std::uint64_t drawn_ = 0;  // columns before this one are drawn
  bool open_ = false;        // whether j_ is a block of the current range
};

}  // namespace tarvex::pixels

#endif
