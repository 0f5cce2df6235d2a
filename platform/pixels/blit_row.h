#pragma once
// The rows of a blit as the column filters see them. Rows of one blit share
// the filter, so they are drawn a few at a time: each column's source
// position and weights are worked out once for all of them.

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarvex::pixels {

// Columns [begin, end) of a copy, counted along it.
struct ColumnRange {
  std::uint64_t begin;
  std::uint64_t end;
};

// Up to kMaxRows rows drawn together, as many as a crawl band has.
struct BandRows {
  static constexpr std::size_t kMaxRows = 3;

  // Column j of row r lands at dests[r][origin + j direction].
  std::uint32_t* At(std::size_t r, std::uint64_t j) const {
    return dests[r] + origin + static_cast<std::ptrdiff_t>(j) * direction;
  }

  std::array<const std::uint32_t*, kMaxRows> sources{};  // each row's source pixels
  std::array<std::uint32_t*, kMaxRows> dests{};
  std::size_t count = 0;
  std::uint64_t sourceLength = 0;  // how many source pixels each row has
  std::ptrdiff_t origin = 0;
  std::ptrdiff_t direction = 1;  // -1 when the copy is mirrored
};

}  // namespace tarvex::pixels
