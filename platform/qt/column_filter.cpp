#include "platform/qt/column_filter.h"

#include <algorithm>
#include <cstring>

namespace tarvex::qt {
namespace {

// One source pixel in a shrinking's positions.
constexpr std::uint64_t kOne = std::uint64_t{1} << 32;
// A whole footprint, in the shares that shrinking weighs pixels by.
constexpr std::uint32_t kWhole = 1u << 16;

// A sum of pixels weighted in 1/65536, two channels to a 64-bit word with
// 32 bits each: weights that add up to 65536 never carry between channels.
class WideSum {
 public:
  void Add(std::uint32_t p, std::uint32_t weight) {
    blueRed_ += ((p & 0xFFu) | std::uint64_t{p & 0xFF0000u} << 16) * weight;
    greenAlpha_ += ((p >> 8 & 0xFFu) | std::uint64_t{p >> 24} << 32) * weight;
  }

  std::uint32_t Pixel() const {
    return static_cast<std::uint32_t>((blueRed_ >> 16 & 0xFFu) | (blueRed_ >> 32 & 0xFF0000u) |
                                      (greenAlpha_ >> 8 & 0xFF00u) |
                                      (greenAlpha_ >> 24 & 0xFF000000u));
  }

 private:
  std::uint64_t blueRed_ = 0;
  std::uint64_t greenAlpha_ = 0;
};

}  // namespace

ColumnFilter::ColumnFilter(std::int64_t destLength, std::int64_t sourceLength)
    : destLength_(static_cast<std::uint64_t>(destLength)),
      columnsPerPixel_(static_cast<double>(destLength) / static_cast<double>(sourceLength)),
      widens_(Widening::Suits(destLength, sourceLength)) {
  // A crawl tick builds hundreds of filters: each works out only what its
  // own kind of copy needs.
  if (widens_) {
    widening_ = Widening(destLength, sourceLength);
    return;
  }
  step_ = (static_cast<std::uint64_t>(sourceLength) << 32) / destLength_;
  inverse_ = (std::uint64_t{1} << 56) / step_;
  middle_ = step_ > kOne ? Covered(kOne) : 0;
}

ColumnRange ColumnFilter::Over(std::int64_t begin, std::int64_t end) const {
  // Truncation is the floor here, and one more is at least the ceiling.
  // Signed conversions take one instruction each.
  const auto first = static_cast<std::int64_t>(static_cast<double>(begin) * columnsPerPixel_);
  const auto last = static_cast<std::int64_t>(static_cast<double>(end) * columnsPerPixel_) + 2;
  return {static_cast<std::uint64_t>(first > 0 ? first - 1 : 0),
          std::min(static_cast<std::uint64_t>(last), destLength_)};
}

// The value of column j: each pixel weighs, in 1/65536, the part of the
// footprint it covers; the last one takes what the others leave, so the
// weights add up exactly.
inline std::uint32_t ColumnFilter::Sample(const std::uint32_t* row, std::uint64_t j) const {
  const std::uint64_t start = j * step_;
  const std::uint64_t first = start >> 32;
  const std::uint64_t last = (start + step_ - 1) >> 32;
  if (first == last) return row[first];
  WideSum sum;
  const std::uint32_t head = Covered(((first + 1) << 32) - start);
  sum.Add(row[first], head);
  for (std::uint64_t i = first + 1; i < last; ++i) sum.Add(row[i], middle_);
  sum.Add(row[last], kWhole - head - middle_ * static_cast<std::uint32_t>(last - first - 1));
  return sum.Pixel();
}

// The share, in 1/65536, of the first `part` of a footprint (part < step).
inline std::uint32_t ColumnFilter::Covered(std::uint64_t part) const {
  return static_cast<std::uint32_t>((part * inverse_) >> 40);
}

void ColumnFilter::Draw(const BandRows& rows, std::span<const ColumnRange> ranges,
                        ColumnRange bounds) const {
  if (widens_) {
    widening_.Draw(rows, ranges, bounds);
    return;
  }
  for (std::size_t r = 0; r < rows.count; ++r) {
    for (const ColumnRange& range : ranges) {
      if (step_ == kOne && rows.direction > 0) {
        std::memcpy(rows.At(r, range.begin), rows.sources[r] + range.begin,
                    (range.end - range.begin) * sizeof(std::uint32_t));
        continue;
      }
      for (std::uint64_t j = range.begin; j < range.end; ++j) {
        *rows.At(r, j) = Sample(rows.sources[r], j);
      }
    }
  }
}

}  // namespace tarvex::qt
