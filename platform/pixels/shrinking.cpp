#include "platform/pixels/shrinking.h"

#include <cstring>

#include "platform/pixels/shrink_blocks.h"

namespace tarvex::pixels {
namespace {

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

Shrinking::Shrinking(std::int64_t destLength, std::int64_t sourceLength)
    : step((static_cast<std::uint64_t>(sourceLength) << 32) /
           static_cast<std::uint64_t>(destLength)),
      inverse((std::uint64_t{1} << 56) / step) {
  middle = step > kOne ? Covered(kOne) : 0;
}

std::uint32_t Shrinking::Column(const std::uint32_t* line, std::uint64_t j) const {
  const std::uint64_t start = j * step;
  const std::uint64_t first = start >> 32;
  const std::uint64_t last = (start + step - 1) >> 32;
  if (first == last) return line[first];
  WideSum sum;
  const std::uint32_t head = Covered(((first + 1) << 32) - start);
  sum.Add(line[first], head);
  for (std::uint64_t i = first + 1; i < last; ++i) sum.Add(line[i], middle);
  sum.Add(line[last], kWhole - head - middle * static_cast<std::uint32_t>(last - first - 1));
  return sum.Pixel();
}

void Shrinking::Draw(const BandRows& rows, std::span<const ColumnRange> ranges,
                     ColumnRange bounds) const {
  static const bool kVector = ShrinkBlocksRun();
  if (kVector && ShrinksInBlocks(*this)) {
    ShrinkInBlocks(*this, rows, ranges, bounds);
    return;
  }
  DrawColumns(rows, ranges);
}

void Shrinking::DrawColumns(const BandRows& rows, std::span<const ColumnRange> ranges) const {
  for (std::size_t r = 0; r < rows.count; ++r) {
    for (const ColumnRange& range : ranges) {
      if (step == kOne && rows.direction > 0) {
        std::memcpy(rows.At(r, range.begin), rows.sources[r] + range.begin,
                    (range.end - range.begin) * sizeof(std::uint32_t));
        continue;
      }
      for (std::uint64_t j = range.begin; j < range.end; ++j)
        *rows.At(r, j) = Column(rows.sources[r], j);
    }
  }
}

}  // namespace tarvex::pixels
