#include "platform/pixels/changed_rows.h"

#include <algorithm>

namespace tarvex::pixels {

void ChangedRows::Reset(int height) {
  changed_.assign(static_cast<std::size_t>(std::max(height, 0)), 1);
  any_ = !changed_.empty();
}

void ChangedRows::Mark(int first, int end) {
  const auto height = static_cast<int>(changed_.size());
  first = std::max(first, 0);
  end = std::min(end, height);
  if (first >= end) return;
  std::fill(changed_.begin() + first, changed_.begin() + end, 1);
  any_ = true;
}

void ChangedRows::MarkDrawn(const RowStates& rows, RowRange drawn) {
  const int end =
      std::min({drawn.end, static_cast<int>(rows.size()), static_cast<int>(changed_.size())});
  for (int y = std::max(drawn.first, 0); y < end; ++y) {
    if (!rows[static_cast<std::size_t>(y)].Clean()) {
      changed_[static_cast<std::size_t>(y)] = 1;
      any_ = true;
    }
  }
}

void ChangedRows::MarkCleared(const RowStates& rows) {
  MarkDrawn(rows, {0, static_cast<int>(rows.size())});
}

std::vector<RowRange> ChangedRows::Take() {
  std::vector<RowRange> runs;
  if (!any_) return runs;
  const auto height = static_cast<int>(changed_.size());
  for (int y = 0; y < height;) {
    if (changed_[static_cast<std::size_t>(y)] == 0) {
      ++y;
      continue;
    }
    const int first = y;
    while (y < height && changed_[static_cast<std::size_t>(y)] != 0) ++y;
    runs.push_back({first, y});
  }
  std::fill(changed_.begin(), changed_.end(), 0);
  any_ = false;
  return runs;
}

}  // namespace tarvex::pixels
