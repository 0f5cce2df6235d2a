#include "platform/qt/stretch_blt.h"

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <unordered_map>

namespace tarvex::qt {
namespace {

// Spans closer than this merge: drawing a few background pixels costs less
// than starting another span.
constexpr int kMergeGap = 8;
constexpr std::uint32_t kBlack = 0xFF000000u;
// Source positions are 32.32 fixed point: one source pixel is kOne.
constexpr std::uint64_t kOne = std::uint64_t{1} << 32;
// A whole footprint, in the shares that shrinking weighs pixels by.
constexpr std::uint32_t kWhole = 1u << 16;
// Widenings to more columns than this sample each column rather than keep
// tables of a byte or more a column.
constexpr std::int64_t kMaxTabledColumns = 1 << 16;
// The column filters a thread keeps for reuse hold at most this many bytes.
constexpr std::size_t kFilterMemory = std::size_t{16} << 20;

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

// a weighted w/256 plus b weighted (256 - w)/256, as 256 b + w (a - b): the
// difference wraps, but the result fits its channels, so the wraps cancel.
std::uint32_t Mix(std::uint32_t a, std::uint32_t b, std::uint32_t w) {
  const std::uint64_t spreadB = Spread(b);
  return Pack((spreadB << 8) + (Spread(a) - spreadB) * w);
}

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

// Fills at memory speed, through the C library's wide fill (wchar_t is 32
// bits wide on the systems this layer runs on).
void FillPixels(std::uint32_t* pixels, std::size_t count, std::uint32_t value) {
  static_assert(sizeof(wchar_t) == sizeof(std::uint32_t));
  std::wmemset(reinterpret_cast<wchar_t*>(pixels), static_cast<wchar_t>(value), count);
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

// Mixes four pixels of `row` with their right neighbours: pairs receives
// each pixel followed by its mix, the pixel weighted by its byte in
// `weights` (repeated in all four bytes), the neighbour by the rest of 256.
// The same arithmetic as Mix, on all sixteen channels at once.
void MixFour(const std::uint32_t* row, const std::uint32_t* weights, std::uint32_t* pairs) {
  using Bytes = std::uint8_t __attribute__((vector_size(16)));
  using Words = std::uint16_t __attribute__((vector_size(32)));
  using Quad = std::uint32_t __attribute__((vector_size(16)));
  Bytes a;
  Bytes b;
  Bytes w;
  std::memcpy(&a, row, sizeof a);
  std::memcpy(&b, row + 1, sizeof b);
  std::memcpy(&w, weights, sizeof w);
  const Words wideA = __builtin_convertvector(a, Words);
  const Words wideB = __builtin_convertvector(b, Words);
  const Words mixed = ((wideB << 8) + (wideA - wideB) * __builtin_convertvector(w, Words)) >> 8;
  const auto pixels = reinterpret_cast<Quad>(a);
  const auto mixes = reinterpret_cast<Quad>(__builtin_convertvector(mixed, Bytes));
  const Quad low = __builtin_shufflevector(pixels, mixes, 0, 4, 1, 5);
  const Quad high = __builtin_shufflevector(pixels, mixes, 2, 6, 3, 7);
  std::memcpy(pairs, &low, sizeof low);
  std::memcpy(pairs + 4, &high, sizeof high);
}

// Columns [begin, end) of a blit, counted along the copy.
struct ColumnRange {
  std::uint64_t begin;
  std::uint64_t end;
};

// The horizontal box filter from one width to another. Destination column j
// (counted along the copy) covers the source positions [j step, (j+1) step);
// each source pixel in it weighs by the part it covers.
class ColumnFilter {
 public:
  ColumnFilter(std::int64_t destLength, std::int64_t sourceLength)
      : step_((static_cast<std::uint64_t>(sourceLength) << 32) /
              static_cast<std::uint64_t>(destLength)),
        inverse_((std::uint64_t{1} << 56) / step_),
        middle_(step_ > kOne ? Covered(kOne) : 0) {
    if (step_ < kOne && destLength <= kMaxTabledColumns) {
      MakePairWeights(sourceLength);
      MakeAdvances(destLength);
    }
  }

  // Whether columns come from pairs: a widening, not so wide that its
  // tables would cost more than sampling each column.
  bool Widens() const { return !advances_.empty(); }
  bool IsOneToOne() const { return step_ == kOne; }
  std::size_t Bytes() const { return sizeof *this + pairWeights_.size() * 4 + advances_.size(); }

  // The first and last source pixels that column j covers.
  std::uint64_t FirstSource(std::uint64_t j) const { return (j * step_) >> 32; }
  std::uint64_t LastSource(std::uint64_t j) const { return (j * step_ + step_ - 1) >> 32; }

  // The columns whose footprint touches source pixels [begin, end).
  ColumnRange Over(std::uint64_t begin, std::uint64_t end) const {
    return {(begin << 32) / step_, ((end << 32) - 1) / step_ + 1};
  }

  // The value of column j: each pixel weighs, in 1/65536, the part of the
  // footprint it covers; the last one takes what the others leave, so the
  // weights add up exactly.
  std::uint32_t Sample(const std::uint32_t* row, std::uint64_t j) const {
    const std::uint64_t start = j * step_;
    const std::uint64_t first = start >> 32;
    const std::uint64_t last = LastSource(j);
    if (first == last) return row[first];
    WideSum sum;
    const std::uint32_t head = Covered(((first + 1) << 32) - start);
    sum.Add(row[first], head);
    for (std::uint64_t i = first + 1; i < last; ++i) sum.Add(row[i], middle_);
    sum.Add(row[last], kWhole - head - middle_ * static_cast<std::uint32_t>(last - first - 1));
    return sum.Pixel();
  }

  // When widening, a column covers one source pixel or straddles two. The
  // values of source pixels [first, last] and of the mixes that straddling
  // columns take go to `pairs`: pixel i at 2 i, its mix with its right
  // neighbour just after.
  void MakePairs(const std::uint32_t* row, std::uint64_t first, std::uint64_t last,
                 std::uint32_t* pairs) const {
    std::uint64_t i = first;
    pairs += 2 * first;
    for (; i + 4 <= last; i += 4, pairs += 8) MixFour(row + i, &pairWeights_[i], pairs);
    for (; i < last; ++i, pairs += 2) {
      pairs[0] = row[i];
      pairs[1] = Mix(row[i], row[i + 1], pairWeights_[i] & 0xFFu);
    }
    pairs[0] = row[last];
  }

  // Columns `range` of a widening, from the pairs made for them, written
  // one after another from `out` in `direction`.
  void DrawFromPairs(const std::uint32_t* pairs, ColumnRange range, std::uint32_t* out,
                     std::ptrdiff_t direction) const {
    // Column j's pair, 2 (first source) + (1 if it straddles), is its first
    // source plus its last.
    std::uint64_t pair = PairOf(range.begin);
    std::uint64_t j = range.begin;
    for (; j + 2 <= range.end; j += 2, out += 2 * direction) {
      out[0] = pairs[pair];
      pair += advances_[j];
      out[direction] = pairs[pair];
      pair += advances_[j + 1];
    }
    if (j < range.end) *out = pairs[pair];
  }

 private:
  // The share, in 1/65536, of the first `part` of a footprint (part < step).
  std::uint32_t Covered(std::uint64_t part) const {
    return static_cast<std::uint32_t>((part * inverse_) >> 40);
  }

  // Where column j of a widening finds its value among the pairs:
  // 2 (first source) + (1 if it straddles), its first source plus its last.
  std::uint64_t PairOf(std::uint64_t j) const { return FirstSource(j) + LastSource(j); }

  // How far the pair moves from each column to the next (0, 1 or 2).
  void MakeAdvances(std::int64_t destLength) {
    advances_.assign(static_cast<std::size_t>(destLength), 0);
    for (std::uint64_t j = 0; j + 1 < static_cast<std::uint64_t>(destLength); ++j) {
      advances_[j] = static_cast<std::uint8_t>(PairOf(j + 1) - PairOf(j));
    }
  }

  // For each source pixel, its weight in the column that straddles it and
  // its right neighbour (below 256, since the column covers less than a
  // pixel), repeated in all four bytes for MixFour.
  void MakePairWeights(std::int64_t sourceLength) {
    pairWeights_.assign(static_cast<std::size_t>(sourceLength), 0);
    for (std::int64_t i = 0; i + 1 < sourceLength; ++i) {
      const auto boundary = static_cast<std::uint64_t>(i + 1) << 32;
      const std::uint64_t start = boundary / step_ * step_;
      if (start < boundary) {
        pairWeights_[static_cast<std::size_t>(i)] = (Covered(boundary - start) >> 8) * 0x01010101u;
      }
    }
  }

  std::uint64_t step_;
  std::uint64_t inverse_;  // 2^56 / step: shares come out in 1/65536 after >> 40
  std::uint32_t middle_;   // the share of a whole source pixel when shrinking
  std::vector<std::uint32_t> pairWeights_;
  std::vector<std::uint8_t> advances_;
};

// A column filter depends only on the two widths, and the crawl's widths
// repeat every cycle: each thread keeps the filters it has made, within a
// memory bound, and scratch rows.
class FilterCache {
 public:
  const ColumnFilter& For(std::int64_t destLength, std::int64_t sourceLength) {
    const std::uint64_t key =
        static_cast<std::uint64_t>(destLength) << 32 | static_cast<std::uint64_t>(sourceLength);
    const auto found = filters_.find(key);
    if (found != filters_.end()) return found->second;
    ColumnFilter made(destLength, sourceLength);
    if (bytes_ + made.Bytes() > kFilterMemory) {
      filters_.clear();
      bytes_ = 0;
    }
    bytes_ += made.Bytes();
    return filters_.emplace(key, std::move(made)).first->second;
  }

  std::vector<std::uint32_t>& Pairs() { return pairs_; }
  std::vector<std::uint32_t>& Padded() { return padded_; }
  std::vector<ColumnRange>& Ranges() { return ranges_; }

  static FilterCache& OfThisThread() {
    thread_local FilterCache cache;
    return cache;
  }

 private:
  std::unordered_map<std::uint64_t, ColumnFilter> filters_;
  std::size_t bytes_ = 0;
  std::vector<std::uint32_t> pairs_;
  std::vector<std::uint32_t> padded_;
  std::vector<ColumnRange> ranges_;
};

// The columns of one blit: where it lands, which part of it is visible.
struct Columns {
  std::int64_t destStart;
  std::int64_t length;
  std::int64_t visibleBegin;  // relative to destStart
  std::int64_t visibleEnd;
  bool mirror;
};

// Draws the rows of one blit, each row the columns that some source column
// ranges reach.
class BandCopier {
 public:
  BandCopier(const Columns& columns, const ColumnFilter& filter, FilterCache& scratch)
      : columns_(columns), filter_(filter), scratch_(scratch) {
    // The visible columns, counted along the copy.
    const auto begin = static_cast<std::uint64_t>(columns.visibleBegin);
    const auto end = static_cast<std::uint64_t>(columns.visibleEnd);
    const auto length = static_cast<std::uint64_t>(columns.length);
    visible_ = columns.mirror ? ColumnRange{length - end, length - begin} : ColumnRange{begin, end};
  }

  // Starts a row: no columns to draw yet.
  void Clear() { scratch_.Ranges().clear(); }

  // Adds the columns that source columns [begin, end) reach (relative to
  // the blit's first source column, in increasing order).
  void Add(std::int64_t begin, std::int64_t end) {
    const ColumnRange over =
        filter_.Over(static_cast<std::uint64_t>(begin), static_cast<std::uint64_t>(end));
    const ColumnRange range{std::max(over.begin, visible_.begin), std::min(over.end, visible_.end)};
    if (range.begin >= range.end) return;
    std::vector<ColumnRange>& ranges = scratch_.Ranges();
    if (!ranges.empty() && range.begin <= ranges.back().end) {
      ranges.back().end = std::max(ranges.back().end, range.end);
    } else {
      ranges.push_back(range);
    }
  }

  // Draws the columns added since Clear into the destination row `dest`
  // from the source row `source`. Returns false when there were none.
  bool Draw(std::uint32_t* dest, const std::uint32_t* source) const {
    const std::vector<ColumnRange>& ranges = scratch_.Ranges();
    if (ranges.empty()) return false;
    std::uint32_t* out = dest + columns_.destStart;
    if (filter_.Widens()) {
      std::vector<std::uint32_t>& pairs = scratch_.Pairs();
      const std::uint64_t needed = 2 * (filter_.LastSource(ranges.back().end - 1) + 1);
      if (pairs.size() < needed) pairs.resize(needed);
      for (const ColumnRange& range : ranges) {
        filter_.MakePairs(source, filter_.FirstSource(range.begin),
                          filter_.LastSource(range.end - 1), pairs.data());
        filter_.DrawFromPairs(pairs.data(), range, At(out, range), Direction());
      }
    } else if (filter_.IsOneToOne() && !columns_.mirror) {
      for (const ColumnRange& range : ranges) {
        std::memcpy(out + range.begin, source + range.begin, (range.end - range.begin) * 4);
      }
    } else {
      for (const ColumnRange& range : ranges) {
        std::uint32_t* at = At(out, range);
        for (std::uint64_t j = range.begin; j < range.end; ++j, at += Direction()) {
          *at = filter_.Sample(source, j);
        }
      }
    }
    return true;
  }

 private:
  // Where the first column of `range` lands; the copy runs backwards on the
  // screen when mirrored.
  std::uint32_t* At(std::uint32_t* out, ColumnRange range) const {
    return columns_.mirror ? out + (columns_.length - 1 - static_cast<std::int64_t>(range.begin))
                           : out + range.begin;
  }
  std::ptrdiff_t Direction() const { return columns_.mirror ? -1 : 1; }

  Columns columns_;
  const ColumnFilter& filter_;
  FilterCache& scratch_;
  ColumnRange visible_{};
};

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

// Adds to `copier` the spans of source row `sy` that fall within source
// columns `axis`.
void AddSpans(BandCopier& copier, const RowSpans& spans, int sy, const Axis& axis) {
  for (const RowSpans::Span* s = spans.RowBegin(sy); s != spans.RowEnd(sy); ++s) {
    const std::int64_t begin = std::max<std::int64_t>(s->begin - axis.sourceStart, 0);
    const std::int64_t end = std::min<std::int64_t>(s->end - axis.sourceStart, axis.sourceLength);
    if (begin < end) copier.Add(begin, end);
  }
}

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

bool StretchBlt(PixelView dest, BlitRect destRect, ConstPixelView source, BlitRect sourceRect,
                const BlitHints& hints) {
  const Axis h = Normalise(destRect.x, destRect.width, sourceRect.x, sourceRect.width);
  const Axis v = Normalise(destRect.y, destRect.height, sourceRect.y, sourceRect.height);
  if (h.destLength == 0 || h.sourceLength == 0 || v.destLength == 0 || v.sourceLength == 0) {
    return false;
  }
  const std::int64_t rowLo = std::max<std::int64_t>(v.destStart, 0);
  const std::int64_t rowHi = std::min<std::int64_t>(v.destStart + v.destLength, dest.height);
  const Columns columns{h.destStart, h.destLength, std::max<std::int64_t>(-h.destStart, 0),
                        std::min<std::int64_t>(dest.width - h.destStart, h.destLength), h.mirror};
  if (rowLo >= rowHi || columns.visibleBegin >= columns.visibleEnd) return false;

  FilterCache& cache = FilterCache::OfThisThread();
  BandCopier copier(columns, cache.For(h.destLength, h.sourceLength), cache);
  const bool sourceInside = h.sourceStart >= 0 && h.sourceStart + h.sourceLength <= source.width;
  std::uint8_t* rows =
      hints.destRows != nullptr && hints.destRows->size() == std::size_t(dest.height)
          ? hints.destRows->data()
          : nullptr;
  const bool useSpans = rows != nullptr && hints.sourceSpans != nullptr && sourceInside &&
                        hints.sourceSpans->Background() == hints.background;
  bool drew = false;
  for (std::int64_t y = rowLo; y < rowHi; ++y) {
    const std::int64_t r = y - v.destStart;
    std::int64_t sy = (2 * r + 1) * v.sourceLength / (2 * v.destLength);
    sy = v.sourceStart + (v.mirror ? v.sourceLength - 1 - sy : sy);
    if (sy < 0 || sy >= source.height) continue;
    drew = true;
    std::uint32_t* out = dest.bits + y * dest.stride;
    if (rows != nullptr && rows[y] == kRowCleared) {
      FillPixels(out, static_cast<std::size_t>(dest.width), hints.background);
      rows[y] = kRowClean;
    }
    copier.Clear();
    if (useSpans && rows[y] == kRowClean) {
      // The destination row is background already: draw only where the
      // source row has something else.
      AddSpans(copier, *hints.sourceSpans, static_cast<int>(sy), h);
    } else {
      copier.Add(0, h.sourceLength);
    }
    const std::uint32_t* row = source.bits + sy * source.stride;
    const std::uint32_t* line =
        sourceInside ? row + h.sourceStart : PaddedLine(row, source.width, h, cache.Padded());
    if (copier.Draw(out, line) && rows != nullptr) rows[y] = kRowDrawn;
  }
  return drew;
}

void ClearRows(std::vector<std::uint8_t>& rows) {
  for (std::uint8_t& row : rows) {
    if (row == kRowDrawn) row = kRowCleared;
  }
}

void FillClearedRows(PixelView image, std::vector<std::uint8_t>& rows, std::uint32_t background) {
  const auto count = std::min(rows.size(), static_cast<std::size_t>(image.height));
  for (std::size_t y = 0; y < count; ++y) {
    if (rows[y] != kRowCleared) continue;
    FillPixels(image.bits + static_cast<std::ptrdiff_t>(y) * image.stride,
               static_cast<std::size_t>(image.width), background);
    rows[y] = kRowClean;
  }
}

}  // namespace tarvex::qt
