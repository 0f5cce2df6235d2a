#pragma once
// The horizontal box filter of our StretchBlt. Destination column j, counted
// along the copy, covers the source positions [j step, (j + 1) step); each
// source pixel in it weighs by the part it covers. A widening's column covers
// one source pixel or straddles two; a shrinking's covers one or more.

#include <cstdint>
#include <span>

#include "platform/pixels/blit_row.h"
#include "platform/pixels/shrinking.h"
#include "platform/pixels/widening.h"

namespace tarvex::pixels {

class ColumnFilter {
 public:
  ColumnFilter(std::int64_t destLength, std::int64_t sourceLength);

  // The columns whose footprint touches source pixels [begin, end), and
  // perhaps one more on either side: drawing a column is the same whatever
  // asks for it, so a range a little too wide is still right.
  ColumnRange Over(std::int64_t begin, std::int64_t end) const;

  // Whether rows drawn together share their work: the vector blocks work
  // out a block's columns once for all of them. Otherwise a band is best
  // drawn row by row, so that no row draws columns only another one needs.
  bool SharesRows() const { return sharesRows_; }

  // Draws columns `ranges`, in increasing order, of each of `rows`; perhaps
  // other columns within `bounds` too.
  void Draw(const BandRows& rows, std::span<const ColumnRange> ranges, ColumnRange bounds) const;

 private:
  std::uint64_t destLength_;
  double columnsPerPixel_;
  bool widens_;
  bool sharesRows_;
  Widening widening_{};
  Shrinking shrinking_{};
};

}  // namespace tarvex::pixels
