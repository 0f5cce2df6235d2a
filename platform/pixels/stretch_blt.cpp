#include "platform/pixels/stretch_blt.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <optional>

#include "platform/pixels/column_filter.h"

namespace tarvex::pixels {
namespace {

// Spans closer than this merge: drawing a few background pixels costs less
// than starting another span.
constexpr int kMergeGap = 32;
constexpr std::uint32_t kBlack = 0xFF000000u;

// Screen columns [begin, end) of one row.
struct Run {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  bool Empty() const { return begin >= end; }
};

Run Intersect(Run a, Run b) {
  return {std::max(a.begin, b.begin), std::min(a.end, b.end)};
}

// Fills at memory speed, through the C library's wide fill where wchar_t is
// 32 bits wide; the crawl's many short gaps are cheaper filled in place than
// through a call.
void Fill(std::uint32_t* row, Run run, std::uint32_t value) {
  constexpr std::int64_t kShort = 16;
  if constexpr (sizeof(wchar_t) != sizeof(std::uint32_t)) {
    std::fill(row + run.begin, row + run.end, value);
  } else if (run.end - run.begin > kShort) {
    std::wmemset(reinterpret_cast<wchar_t*>(row + run.begin), static_cast<wchar_t>(value),
                 static_cast<std::size_t>(run.end - run.begin));
  } else {
    for (std::int64_t x = run.begin; x < run.end; ++x) row[x] = value;
  }
}

// One axis of a blit with its signs taken out: lengths are positive and
// `mirror` says whether the copy runs backwards.
struct Axis {
  std::int64_t destStart;
  std::int64_t destLength;
  std::int64_t sourceStart;
  std::int64_t sourceLength;
  bool mirror;
};

Axis Normalise(int dest, int destLength, int source, int sourceLength) {
  Axis axis{dest, destLength, source, sourceLength, false};
  if (axis.destLength < 0) {
    axis.destStart += axis.destLength;
    axis.destLength = -axis.destLength;
    axis.mirror = !axis.mirror;
  }
  if (axis.sourceLength < 0) {
    axis.sourceStart += axis.sourceLength;
    axis.sourceLength = -axis.sourceLength;
    axis.mirror = !axis.mirror;
  }
  return axis;
}

// The columns of one blit: where it lands, which part of it is visible.
struct Columns {
  std::int64_t destStart;
  std::int64_t length;
  std::int64_t visibleBegin;  // relative to destStart
  std::int64_t visibleEnd;
  bool mirror;
};

// A dirty row's runs as screen columns.
Run AsRun(RowState::Columns columns) {
  return {columns.begin, columns.end};
}

// Draws the rows of one blit a band at a time. Each band draws the columns
// that its rows' source spans reach (every visible column without spans),
// after filling with the background what else of its rows is stale.
class BandDrawer {
 public:
  BandDrawer(const Columns& columns, std::int64_t sourceLength, std::uint32_t background)
      : columns_(columns),
        filter_(columns.length, sourceLength),
        background_(background),
        ranges_(ScratchRanges()),
        screen_(ScratchRuns()) {
    // The visible columns, counted along the copy.
    const auto begin = static_cast<std::uint64_t>(columns.visibleBegin);
    const auto end = static_cast<std::uint64_t>(columns.visibleEnd);
    const auto length = static_cast<std::uint64_t>(columns.length);
    visible_ = columns.mirror ? ColumnRange{length - end, length - begin} : ColumnRange{begin, end};
    rows_.sourceLength = static_cast<std::uint64_t>(sourceLength);
    rows_.origin = columns.mirror ? columns.destStart + columns.length - 1 : columns.destStart;
    rows_.direction = columns.mirror ? -1 : 1;
    ranges_.clear();
  }

  BandDrawer(const BandDrawer&) = delete;
  BandDrawer& operator=(const BandDrawer&) = delete;

  // How many rows the band holds; a full band must be drawn before the next
  // row is added.
  std::size_t Count() const { return rows_.count; }
  bool Full() const { return rows_.count == (filter_.SharesRows() ? BandRows::kMaxRows : 1); }

  // Adds a row to the band: its destination pixels and their state (nullptr
  // when unknown), and its source pixels.
  void AddRow(std::uint32_t* dest, RowState* state, const std::uint32_t* source) {
    rows_.dests[rows_.count] = dest;
    rows_.sources[rows_.count] = source;
    states_[rows_.count] = state;
    ++rows_.count;
  }

  // Adds the columns that source columns [begin, end) of a row reach
  // (relative to the blit's first source column).
  void AddSource(std::int64_t begin, std::int64_t end) {
    const ColumnRange over = filter_.Over(begin, end);
    const ColumnRange range{std::max(over.begin, visible_.begin), std::min(over.end, visible_.end)};
    if (range.begin < range.end) ranges_.push_back(range);
  }

  // Draws the rows added so far.
  void Flush() {
    if (rows_.count == 0) return;
    Merge();
    ScreenRuns();
    const Run visible = OnScreen(visible_);
    for (std::size_t r = 0; r < rows_.count; ++r) FillStale(rows_.dests[r], states_[r], visible);
    filter_.Draw(rows_, ranges_, visible_);
    for (std::size_t r = 0; r < rows_.count; ++r) {
      if (states_[r] != nullptr) Update(*states_[r]);
    }
    rows_.count = 0;
    ranges_.clear();
  }

 private:
  // The band's ranges in increasing order, overlapping ones merged.
  void Merge() {
    if (rows_.count > 1) SortRanges();
    std::size_t kept = 0;
    for (const ColumnRange& range : ranges_) {
      if (kept > 0 && range.begin <= ranges_[kept - 1].end) {
        ranges_[kept - 1].end = std::max(ranges_[kept - 1].end, range.end);
      } else {
        ranges_[kept++] = range;
      }
    }
    ranges_.resize(kept);
  }

  // A band's rows mostly give a handful of ranges, each row's in order:
  // insertion sorts those in the fewest steps.
  void SortRanges() {
    constexpr std::size_t kFew = 16;
    const auto before = [](const ColumnRange& a, const ColumnRange& b) {
      return a.begin < b.begin;
    };
    if (ranges_.size() > kFew) {
      std::sort(ranges_.begin(), ranges_.end(), before);
      return;
    }
    for (std::size_t i = 1; i < ranges_.size(); ++i) {
      const ColumnRange range = ranges_[i];
      std::size_t at = i;
      for (; at > 0 && before(range, ranges_[at - 1]); --at) ranges_[at] = ranges_[at - 1];
      ranges_[at] = range;
    }
  }

  // The ranges as screen columns, in increasing order.
  void ScreenRuns() {
    screen_.clear();
    for (const ColumnRange& range : ranges_) {
      const Run run = OnScreen(range);
      screen_.push_back({static_cast<int>(run.begin), static_cast<int>(run.end)});
    }
    if (columns_.mirror) std::reverse(screen_.begin(), screen_.end());
  }

  // Fills with the background what of `row` may hold something else and
  // this band does not draw: all the dirty runs of a cleared row, and
  // otherwise those within the `visible` columns. Filled before the filter
  // draws, so that it may draw whole blocks across the gaps: a column there
  // is background, whoever draws it.
  void FillStale(std::uint32_t* row, const RowState* state, Run visible) const {
    if (state == nullptr) {
      FillGaps(row, visible);
      return;
    }
    for (std::size_t i = 0; i < state->runs; ++i) {
      const Run dirty = AsRun(state->dirty[i]);
      FillGaps(row, state->cleared ? dirty : Intersect(dirty, visible));
    }
  }

  // Fills the columns of `stale` between the band's ranges.
  void FillGaps(std::uint32_t* row, Run stale) const {
    if (stale.Empty()) return;
    std::int64_t at = stale.begin;
    for (const RowState::Columns& drawn : screen_) {
      if (drawn.begin >= stale.end) break;
      Fill(row, Intersect({at, drawn.begin}, stale), background_);
      at = std::max<std::int64_t>(at, drawn.end);
    }
    Fill(row, Intersect({at, stale.end}, stale), background_);
  }

  // After drawing: a cleared row is dirty where the ranges drew, and no
  // more; another row is also still dirty where it was.
  void Update(RowState& state) const {
    if (state.cleared) {
      state.Assign(screen_);
      return;
    }
    for (const RowState::Columns& drawn : screen_) state.Add(drawn.begin, drawn.end);
  }

  Run OnScreen(ColumnRange range) const {
    const auto begin = static_cast<std::int64_t>(range.begin);
    const auto end = static_cast<std::int64_t>(range.end);
    if (columns_.mirror) {
      return {columns_.destStart + columns_.length - end,
              columns_.destStart + columns_.length - begin};
    }
    return {columns_.destStart + begin, columns_.destStart + end};
  }

  // The column ranges of a band, and the same as screen columns, kept from
  // one blit to the next so that the crawl's hundreds of bands a tick
  // allocate nothing.
  static std::vector<ColumnRange>& ScratchRanges() {
    thread_local std::vector<ColumnRange> ranges;
    return ranges;
  }
  static std::vector<RowState::Columns>& ScratchRuns() {
    thread_local std::vector<RowState::Columns> runs;
    return runs;
  }

  Columns columns_;
  ColumnFilter filter_;
  std::uint32_t background_;
  ColumnRange visible_{};
  BandRows rows_;
  std::array<RowState*, BandRows::kMaxRows> states_{};
  std::vector<ColumnRange>& ranges_;
  std::vector<RowState::Columns>& screen_;
};

// The source row that destination row r of a blit (counted from its first)
// copies: the nearest to its middle. The crawl's bands are never scaled
// across, so their rows map one to one without a division.
std::int64_t SourceRow(std::int64_t r, const Axis& v) {
  const std::int64_t along =
      v.sourceLength == v.destLength ? r : (2 * r + 1) * v.sourceLength / (2 * v.destLength);
  return v.sourceStart + (v.mirror ? v.sourceLength - 1 - along : along);
}

// Source columns `axis` of `row`, with those beyond the source image, whose
// width is `width`, read as black.
const std::uint32_t* PaddedLine(const std::uint32_t* row, int width, const Axis& axis,
                                std::vector<std::uint32_t>& padded) {
  padded.assign(static_cast<std::size_t>(axis.sourceLength), kBlack);
  for (std::int64_t i = 0; i < axis.sourceLength; ++i) {
    const std::int64_t x = axis.sourceStart + i;
    if (x >= 0 && x < width) padded[static_cast<std::size_t>(i)] = row[x];
  }
  return padded.data();
}

// Adds to `band` the spans of source row `sy` that fall within source
// columns `axis`.
void AddSpans(BandDrawer& band, const RowSpans& spans, int sy, const Axis& axis) {
  for (const RowSpans::Span* s = spans.RowBegin(sy); s != spans.RowEnd(sy); ++s) {
    const std::int64_t begin = std::max<std::int64_t>(s->begin - axis.sourceStart, 0);
    const std::int64_t end = std::min<std::int64_t>(s->end - axis.sourceStart, axis.sourceLength);
    if (begin < end) band.AddSource(begin, end);
  }
}

// A blit with its signs taken out and its destination clipped: the rows
// [rowLo, rowHi) and the visible columns it may draw. Empty when it can
// draw nothing.
struct Plan {
  Axis h;
  Axis v;
  std::int64_t rowLo;
  std::int64_t rowHi;
  Columns columns;

  Plan(int destWidth, int destHeight, BlitRect destRect, BlitRect sourceRect)
      : h(Normalise(destRect.x, destRect.width, sourceRect.x, sourceRect.width)),
        v(Normalise(destRect.y, destRect.height, sourceRect.y, sourceRect.height)),
        rowLo(std::max<std::int64_t>(v.destStart, 0)),
        rowHi(std::min<std::int64_t>(v.destStart + v.destLength, destHeight)),
        columns{h.destStart, h.destLength, std::max<std::int64_t>(-h.destStart, 0),
                std::min<std::int64_t>(destWidth - h.destStart, h.destLength), h.mirror} {}

  bool Empty() const {
    return h.destLength == 0 || h.sourceLength == 0 || v.destLength == 0 || v.sourceLength == 0 ||
           rowLo >= rowHi || columns.visibleBegin >= columns.visibleEnd;
  }

  // The source row that destination row y copies, if it lies in the source.
  std::optional<std::int64_t> SourceRowOf(std::int64_t y, int sourceHeight) const {
    const std::int64_t sy = SourceRow(y - v.destStart, v);
    if (sy < 0 || sy >= sourceHeight) return std::nullopt;
    return sy;
  }
};

}  // namespace

RowSpans::RowSpans(ConstPixelView image, std::uint32_t background) : background_(background) {
  rowStart_.reserve(static_cast<std::size_t>(image.height) + 1);
  for (int y = 0; y < image.height; ++y) {
    rowStart_.push_back(spans_.size());
    const std::uint32_t* row = image.bits + y * image.stride;
    const std::size_t rowFirst = spans_.size();
    for (int x = 0; x < image.width; ++x) {
      if (row[x] == background) continue;
      if (spans_.size() > rowFirst && x - spans_.back().end < kMergeGap) {
        spans_.back().end = x + 1;
      } else {
        spans_.push_back({x, x + 1});
      }
    }
  }
  rowStart_.push_back(spans_.size());
}

RowRange DrawnRows(PixelView dest, BlitRect destRect, ConstPixelView source, BlitRect sourceRect) {
  const Plan plan(dest.width, dest.height, destRect, sourceRect);
  if (plan.Empty()) return {};
  for (std::int64_t y = plan.rowLo; y < plan.rowHi; ++y) {
    if (plan.SourceRowOf(y, source.height)) {
      return {static_cast<int>(plan.rowLo), static_cast<int>(plan.rowHi)};
    }
  }
  return {};
}

bool StretchBlt(PixelView dest, BlitRect destRect, ConstPixelView source, BlitRect sourceRect,
                const BlitHints& hints) {
  const Plan plan(dest.width, dest.height, destRect, sourceRect);
  if (plan.Empty()) return false;
  const Axis& h = plan.h;
  const bool sourceInside = h.sourceStart >= 0 && h.sourceStart + h.sourceLength <= source.width;
  RowState* rows = hints.destRows != nullptr && hints.destRows->size() == std::size_t(dest.height)
                       ? hints.destRows->data()
                       : nullptr;
  const bool useSpans = rows != nullptr && hints.sourceSpans != nullptr && sourceInside &&
                        hints.sourceSpans->Background() == hints.background;
  std::array<std::vector<std::uint32_t>, BandRows::kMaxRows> padded;
  bool drew = false;
  BandDrawer band(plan.columns, h.sourceLength, hints.background);
  const std::int64_t rowLo = std::max<std::int64_t>(plan.rowLo, hints.firstRow);
  const std::int64_t rowHi = std::min<std::int64_t>(plan.rowHi, hints.endRow);
  for (std::int64_t y = rowLo; y < rowHi; ++y) {
    const std::optional<std::int64_t> sy = plan.SourceRowOf(y, source.height);
    if (!sy) continue;
    drew = true;
    if (band.Full()) band.Flush();
    const std::uint32_t* row = source.bits + *sy * source.stride;
    const std::uint32_t* line =
        sourceInside ? row + h.sourceStart : PaddedLine(row, source.width, h, padded[band.Count()]);
    band.AddRow(dest.bits + y * dest.stride, rows != nullptr ? &rows[y] : nullptr, line);
    if (useSpans) {
      // Where the source row holds only background, so does the copy: the
      // stale columns there are filled instead.
      AddSpans(band, *hints.sourceSpans, static_cast<int>(*sy), h);
    } else {
      band.AddSource(0, h.sourceLength);
    }
  }
  band.Flush();
  return drew;
}

namespace {

// Makes `runs`, in increasing order and apart, the dirty runs of `state`,
// closing the narrowest gaps between them where there are too many: the
// kMaxRuns - 1 widest gaps stay open, the first of equal ones first.
void KeepRuns(RowState& state, std::span<const RowState::Columns> runs) {
  std::array<int, RowState::kMaxRuns - 1> widest{};  // widest first
  for (std::size_t i = 1; i < runs.size(); ++i) {
    int gap = runs[i].begin - runs[i - 1].end;
    for (int& kept : widest) {
      if (gap > kept) std::swap(gap, kept);
    }
  }
  const int narrowestOpen = widest.back();
  auto equalOpen = std::count(widest.begin(), widest.end(), narrowestOpen);
  state.runs = 0;
  if (runs.empty()) return;
  state.dirty[state.runs++] = runs[0];
  for (std::size_t i = 1; i < runs.size(); ++i) {
    const int gap = runs[i].begin - runs[i - 1].end;
    if (gap > narrowestOpen || (gap == narrowestOpen && equalOpen-- > 0)) {
      state.dirty[state.runs++] = runs[i];
    } else {
      state.dirty[state.runs - 1].end = runs[i].end;
    }
  }
}

}  // namespace

void RowState::Add(int begin, int end) {
  if (begin >= end) return;
  // The runs before the new one, the new one merged with those it touches,
  // and those after it.
  std::size_t first = 0;
  while (first < runs && dirty[first].end < begin) ++first;
  std::size_t last = first;
  while (last < runs && dirty[last].begin <= end) ++last;
  Columns merged{begin, end};
  if (last > first) {
    merged = {std::min(begin, dirty[first].begin), std::max(end, dirty[last - 1].end)};
  }
  std::array<Columns, kMaxRuns + 1> all{};
  std::size_t count = 0;
  for (std::size_t i = 0; i < first; ++i) all[count++] = dirty[i];
  all[count++] = merged;
  for (std::size_t i = last; i < runs; ++i) all[count++] = dirty[i];
  KeepRuns(*this, std::span(all.data(), count));
}

void RowState::Assign(std::span<const Columns> drawn) {
  KeepRuns(*this, drawn);
  cleared = false;
}

void ClearRows(RowStates& rows) {
  for (RowState& row : rows) {
    if (row.runs > 0) row.cleared = true;
  }
}

void FillClearedRows(PixelView image, RowStates& rows, std::uint32_t background) {
  const auto count = std::min(rows.size(), static_cast<std::size_t>(image.height));
  for (std::size_t y = 0; y < count; ++y) {
    if (!rows[y].cleared) continue;
    std::uint32_t* row = image.bits + static_cast<std::ptrdiff_t>(y) * image.stride;
    for (std::size_t i = 0; i < rows[y].runs; ++i) {
      Fill(row, Intersect(AsRun(rows[y].dirty[i]), {0, image.width}), background);
    }
    rows[y] = {};
  }
}

}  // namespace tarvex::pixels
