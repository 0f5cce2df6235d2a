#include "platform/qt/widening.h"

#include "platform/qt/widen_blocks.h"

namespace tarvex::qt {
namespace {

// A pixel with its four channels spread to 16 bits each, so that one 64-bit
// multiply weights all of them and sums of weighted pixels do not carry from
// one channel into the next.
std::uint64_t Spread(std::uint32_t p) {
  return (p & 0x00FF00FFu) | (std::uint64_t{p & 0xFF00FF00u} << 24);
}

// The pixel of a sum of spread pixels whose weights add up to 256.
std::uint32_t Pack(std::uint64_t sum) {
  sum = (sum >> 8) & 0x00FF00FF00FF00FFu;
  return static_cast<std::uint32_t>(sum) | static_cast<std::uint32_t>(sum >> 24);
}

// b weighted w/256 plus a weighted (256 - w)/256, as 256 a + w (b - a): the
// difference wraps, but the result fits its channels, so the wraps cancel.
// The vector blocks compute exactly this.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint64_t spreadA = Spread(a);
  return Pack((spreadA << 8) + (Spread(b) - spreadA) * w);
}

}  // namespace

std::uint32_t Widening::Column(const std::uint32_t* line, std::uint64_t j) const {
  const std::uint64_t position = j * step;
  const std::uint64_t first = position >> kWideningBits;
  const auto reach = static_cast<std::int64_t>((position & (kWideningOne - 1)) + step);
  const std::uint32_t weight = Weight(reach - static_cast<std::int64_t>(kWideningOne));
  return weight == 0 ? line[first] : Mix(line[first], line[first + 1], weight);
}

void Widening::Draw(const BandRows& rows, std::span<const ColumnRange> ranges,
                    ColumnRange bounds) const {
  static const bool inBlocks = CanWidenInBlocks();
  if (inBlocks) {
    WidenInBlocks(*this, rows, ranges, bounds);
    return;
  }
  for (std::size_t r = 0; r < rows.count; ++r) {
    for (const ColumnRange& range : ranges) {
      for (std::uint64_t j = range.begin; j < range.end; ++j) {
        *rows.At(r, j) = Column(rows.sources[r], j);
      }
    }
  }
}

}  // namespace tarvex::qt
