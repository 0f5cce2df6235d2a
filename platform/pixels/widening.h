#pragma once
// Widening a row of pixels with the box filter, without tables: a column's
// source pixel and the weight of the one after it come from its position,
// j step in 1/2^29 source pixels, which is exact, so the vector blocks and
// the single columns always agree.

#include <bit>
#include <cstdint>
#include <span>

#include "platform/pixels/blit_row.h"

namespace tarvex::pixels {

constexpr int kWideningBits = 29;
constexpr std::uint64_t kWideningOne = std::uint64_t{1} << kWideningBits;

struct Widening {
  // Widenings by more than this factor are sampled column by column: their
  // step would be too coarse for the weights.
  static constexpr std::int64_t kMaxFactor = std::int64_t{1} << 20;
  // Weights are out of 64: a pair's two weights fit signed bytes, so that
  // the vector blocks mix a pair of pixels with one multiply-add of bytes,
  // and the mix is that sum shifted down by six bits, truncated.
  static constexpr int kWholeBits = 6;
  static constexpr std::uint32_t kWhole = 1u << kWholeBits;
  static constexpr std::uint32_t kHalf = 1u << 23;  // half a weight step

  static bool Suits(std::int64_t destLength, std::int64_t sourceLength) {
    return sourceLength < destLength && destLength / sourceLength < kMaxFactor;
  }

  Widening() = default;
  Widening(std::int64_t destLength, std::int64_t sourceLength)
      : step((static_cast<std::uint64_t>(sourceLength) << kWideningBits) /
             static_cast<std::uint64_t>(destLength)),
        shift(std::bit_width(step) > 16 ? static_cast<int>(std::bit_width(step)) - 16 : 0),
        inverse(static_cast<std::uint32_t>((std::uint64_t{kWhole} << (24 + shift)) / step)) {}

  // The weight, out of 64, that the pixel after column j's first one has
  // in it: `part` is how far the column reaches into that pixel, in
  // 1/2^29, when positive. Both factors keep about 16 bits, so the product
  // stays below 2^31 and the weight is exact to far better than a step; it
  // is rounded to the nearest step.
  std::uint32_t Weight(std::int64_t part) const {
    if (part <= 0) return 0;
    return (static_cast<std::uint32_t>(part >> shift) * inverse + kHalf) >> 24;
  }

  // Column j of a widening of `line`.
  std::uint32_t Column(const std::uint32_t* line, std::uint64_t j) const;

  // Draws columns `ranges`, in increasing order, of each of `rows`. Other
  // columns within `bounds` may be drawn too: a column's value is the same
  // whoever asks for it.
  void Draw(const BandRows& rows, std::span<const ColumnRange> ranges, ColumnRange bounds) const;

  // Draws columns `ranges` of each of `rows` one at a time.
  void DrawColumns(const BandRows& rows, std::span<const ColumnRange> ranges) const;

  std::uint64_t step = 0;     // source pixels per column, in 1/2^29 (below 1)
  int shift = 0;              // what leaves about 16 bits of a part of a step
  std::uint32_t inverse = 0;  // 64 2^(24 + shift) / step
};

}  // namespace tarvex::pixels
