#include "platform/pixels/widening.h"

#include "platform/pixels/widen_blocks.h"

namespace tarvex::pixels {
namespace {

// A pixel with its four channels spread to 16 bits each, so that one 64-bit
// multiply weights all of them and sums of weighted pixels do not carry from
// one channel into the next.
std::uint64_t Spread(std::uint32_t p) {
  return (p & 0x00FF00FFu) | (std::uint64_t{p & 0xFF00FF00u} << 24);
}

// a weighted (64 - w)/64 plus b weighted w/64, truncated, as the vector
// blocks mix: each channel's sum stays below 2^14 in its 16 bits.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint64_t sum = Spread(a) * (Widening::kWhole - w) + Spread(b) * w;
  const std::uint64_t mixed = (sum >> Widening::kWholeBits) & 0x00FF00FF00FF00FFu;
  return static_cast<std::uint32_t>((mixed & 0x00FF00FFu) | ((mixed >> 24) & 0xFF00FF00u));
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
  static const std::optional<BlockKernel> kernel = BestBlockKernel();
  if (kernel) {
    WidenInBlocks(*kernel, *this, rows, ranges, bounds);
    return;
  }
  DrawColumns(rows, ranges);
}

void Widening::DrawColumns(const BandRows& rows, std::span<const ColumnRange> ranges) const {
  for (std::size_t r = 0; r < rows.count; ++r) {
    for (const ColumnRange& range : ranges) {
      for (std::uint64_t j = range.begin; j < range.end; ++j) {
        *rows.At(r, j) = Column(rows.sources[r], j);
      }
    }
  }
}

}  // namespace tarvex::pixels
