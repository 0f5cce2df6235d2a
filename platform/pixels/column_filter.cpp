#include "platform/pixels/column_filter.h"

#include <algorithm>

#include "platform/pixels/shrink_blocks.h"

namespace tarvex::pixels {

ColumnFilter::ColumnFilter(std::int64_t destLength, std::int64_t sourceLength)
    : destLength_(static_cast<std::uint64_t>(destLength)),
      columnsPerPixel_(static_cast<double>(destLength) / static_cast<double>(sourceLength)),
      widens_(Widening::Suits(destLength, sourceLength)),
      sharesRows_(widens_) {
  // A crawl tick builds hundreds of filters: each works out only what its
  // own kind of copy needs.
  if (widens_) {
    widening_ = Widening(destLength, sourceLength);
    return;
  }
  shrinking_ = Shrinking(destLength, sourceLength);
  static const bool kBlocks = ShrinkBlocksRun();
  sharesRows_ = kBlocks && ShrinksInBlocks(shrinking_);
}

ColumnRange ColumnFilter::Over(std::int64_t begin, std::int64_t end) const {
  // Truncation is the floor here, and one more is at least the ceiling.
  // Signed conversions take one instruction each.
  const auto first = static_cast<std::int64_t>(static_cast<double>(begin) * columnsPerPixel_);
  const auto last = static_cast<std::int64_t>(static_cast<double>(end) * columnsPerPixel_) + 2;
  return {static_cast<std::uint64_t>(first > 0 ? first - 1 : 0),
          std::min(static_cast<std::uint64_t>(last), destLength_)};
}

void ColumnFilter::Draw(const BandRows& rows, std::span<const ColumnRange> ranges,
                        ColumnRange bounds) const {
  if (widens_) {
    widening_.Draw(rows, ranges, bounds);
  } else {
    shrinking_.Draw(rows, ranges, bounds);
  }
}

}  // namespace tarvex::pixels
