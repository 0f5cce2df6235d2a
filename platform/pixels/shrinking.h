#pragma once
// Shrinking a row of pixels with the box filter: destination column j
// covers the source positions [j step, (j + 1) step), in 1/2^32 source
// pixels, and each source pixel in it weighs, in 1/65536, the part of the
// footprint it covers; the last one takes what the others leave, so the
// weights add up exactly. The vector blocks weigh the same pixels by the
// same weights, so both always agree.

#include <cstdint>
#include <span>

#include "platform/pixels/blit_row.h"

namespace tarvex::pixels {

struct Shrinking {
  static constexpr std::uint64_t kOne = std::uint64_t{1} << 32;  // one source pixel
  static constexpr std::uint32_t kWhole = 1u << 16;              // a whole footprint

  Shrinking() = default;
  // For sourceLength >= destLength > 0.
  Shrinking(std::int64_t destLength, std::int64_t sourceLength);

  // The share, in 1/65536, of the first `part` of a footprint (part <= step).
  std::uint32_t Covered(std::uint64_t part) const {
    return static_cast<std::uint32_t>((part * inverse) >> 40);
  }

  // Column j of a shrinking of `line`.
  std::uint32_t Column(const std::uint32_t* line, std::uint64_t j) const;

  // Draws columns `ranges`, in increasing order, of each of `rows`; perhaps
  // other columns within `bounds` too.
  void Draw(const BandRows& rows, std::span<const ColumnRange> ranges, ColumnRange bounds) const;

  // Draws columns `ranges` of each of `rows` one at a time.
  void DrawColumns(const BandRows& rows, std::span<const ColumnRange> ranges) const;

  std::uint64_t step = kOne;
  std::uint64_t inverse = 0;  // 2^56 / step: shares come out in 1/65536 after >> 40
  std::uint32_t middle = 0;   // the share of a whole source pixel
};

}  // namespace tarvex::pixels
