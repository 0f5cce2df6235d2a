#pragma once
// The horizontal box filter of our StretchBlt. Destination column j, counted
// along the copy, covers the source positions [j step, (j + 1) step); each
// source pixel in it weighs by the part it covers. A widening's column covers
// one source pixel or straddles two; a shrinking's covers one or more.

#include <cstdint>
#include <span>

#include "platform/qt/blit_row.h"
#include "platform/qt/widening.h"

namespace tarvex::qt {

class ColumnFilter {
 public:
  ColumnFilter(std::int64_t destLength, std::int64_t sourceLength);

  // The columns whose footprint touches source pixels [begin, end), and
  // perhaps one more on either side: drawing a column is the same whatever
  // asks for it, so a range a little too wide is still right.
  ColumnRange Over(std::int64_t begin, std::int64_t end) const;

  // Whether the copy widens: then rows drawn together share their work.
  bool Widens() const { return widens_; }

  // Draws columns `ranges`, in increasing order, of each of `rows`; perhaps
  // other columns within `bounds` too.
  void Draw(const BandRows& rows, std::span<const ColumnRange> ranges, ColumnRange bounds) const;

 private:
  std::uint32_t Sample(const std::uint32_t* row, std::uint64_t j) const;
  std::uint32_t Covered(std::uint64_t part) const;

  std::uint64_t destLength_;
  double columnsPerPixel_;
  bool widens_;
  Widening widening_{};
  // A shrinking's step, in 1/2^32 source pixels.
  std::uint64_t step_ = 0;
  std::uint64_t inverse_ = 0;  // 2^56 / step: shares come out in 1/65536 after >> 40
  std::uint32_t middle_ = 0;   // the share of a whole source pixel
};

}  // namespace tarvex::qt
