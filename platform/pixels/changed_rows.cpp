#include "platform/pixels/changed_rows.h"

#include <algorithm>

namespace tarvex::pixels {
namespace {

// Changed rows one after another go out together, this many at most and
// as wide as the widest: a rectangle per row would cost a request each.
constexpr int kRowsTogether = 16;

constexpr RowState::Columns kNone{0, 0};

bool Empty(RowState::Columns columns) {
  return columns.begin >= columns.end;
}

}  // namespace

void ChangedRows::Reset(int width, int height) {
  width_ = std::max(width, 0);
  changed_.assign(static_cast<std::size_t>(std::max(height, 0)), {0, width_});
  any_ = width_ > 0 && !changed_.empty();
}

void ChangedRows::Add(std::size_t row, RowState::Columns columns) {
  columns = {std::max(columns.begin, 0), std::min(columns.end, width_)};
  if (Empty(columns)) return;
  RowState::Columns& changed = changed_[row];
  changed = Empty(changed) ? columns
                           : RowState::Columns{std::min(changed.begin, columns.begin),
                                               std::max(changed.end, columns.end)};
  any_ = true;
}

void ChangedRows::Mark(int first, int end) {
  end = std::min(end, static_cast<int>(changed_.size()));
  for (int y = std::max(first, 0); y < end; ++y) Add(static_cast<std::size_t>(y), {0, width_});
}

void ChangedRows::MarkDrawn(const RowStates& rows, RowRange drawn) {
  const int end =
      std::min({drawn.end, static_cast<int>(rows.size()), static_cast<int>(changed_.size())});
  for (int y = std::max(drawn.first, 0); y < end; ++y) {
    const RowState& row = rows[static_cast<std::size_t>(y)];
    if (row.runs > 0)
      Add(static_cast<std::size_t>(y), {row.dirty[0].begin, row.dirty[row.runs - 1].end});
  }
}

void ChangedRows::MarkCleared(const RowStates& rows) {
  MarkDrawn(rows, {0, static_cast<int>(rows.size())});
}

std::vector<BlitRect> ChangedRows::Take() {
  std::vector<BlitRect> parts;
  if (!any_) return parts;
  const auto height = static_cast<int>(changed_.size());
  for (int y = 0; y < height;) {
    if (Empty(changed_[static_cast<std::size_t>(y)])) {
      ++y;
      continue;
    }
    const int top = y;
    RowState::Columns wide = changed_[static_cast<std::size_t>(y)];
    for (; y < height && y - top < kRowsTogether && !Empty(changed_[static_cast<std::size_t>(y)]);
         ++y) {
      const RowState::Columns& row = changed_[static_cast<std::size_t>(y)];
      wide = {std::min(wide.begin, row.begin), std::max(wide.end, row.end)};
    }
    parts.push_back({wide.begin, top, wide.end - wide.begin, y - top});
  }
  std::fill(changed_.begin(), changed_.end(), kNone);
  any_ = false;
  return parts;
}

}  // namespace tarvex::pixels
