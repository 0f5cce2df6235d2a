#pragma once
// Our own StretchBlt over 32-bit pixel buffers: the crawl's hottest loop.
//
// Horizontally each destination pixel is the area average of the source
// pixels its footprint covers (a box filter), so shrunken text keeps its
// strokes instead of dropping or sparkling columns, and widened text gets
// soft column edges rather than uneven doubled columns. Vertically the copy
// takes the nearest source row; the crawl's bands are never scaled there.
// Negative widths or heights mirror, as the desktop's StretchBlt does.

#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace tarvex::pixels {

struct PixelView {
  std::uint32_t* bits;
  int width;
  int height;
  std::ptrdiff_t stride;  // in pixels
};

struct ConstPixelView {
  const std::uint32_t* bits;
  int width;
  int height;
  std::ptrdiff_t stride;  // in pixels
};

struct BlitRect {
  int x;
  int y;
  int width;
  int height;
};

// Where an image differs from its background colour: per row, the column
// spans [begin, end) that hold other pixels. Spans closer than a few pixels
// are merged, so a row of text gives a handful of spans, not one per stroke.
class RowSpans {
 public:
  struct Span {
    int begin;
    int end;
  };

  RowSpans(ConstPixelView image, std::uint32_t background);

  const Span* RowBegin(int row) const { return spans_.data() + rowStart_[row]; }
  const Span* RowEnd(int row) const { return spans_.data() + rowStart_[row + 1]; }
  std::uint32_t Background() const { return background_; }

 private:
  std::uint32_t background_;
  std::vector<std::size_t> rowStart_;
  std::vector<Span> spans_;
};

// What is known of one row of a destination image: outside its dirty runs
// of columns it holds only the background colour. A cleared row counts as
// background throughout, but its dirty runs are not filled yet: they are
// filled where the next drawing on the row does not cover them, or by
// FillClearedRows before anyone reads the image. A few runs are kept, so
// that the gaps between the words of a line are not filled again and again;
// where a row is drawn in more pieces, the closest runs merge.
struct RowState {
  static constexpr std::size_t kMaxRuns = 4;

  // Columns [begin, end).
  struct Columns {
    int begin;
    int end;
  };

  // Up to kMaxRuns runs, in increasing order, apart from each other.
  std::array<Columns, kMaxRuns> dirty{};
  std::uint8_t runs = 0;
  bool cleared = false;

  static RowState Dirty(int begin, int end) {
    RowState state;
    if (begin < end) state.dirty[state.runs++] = {begin, end};
    return state;
  }
  static RowState Dirty(int width) { return Dirty(0, width); }
  bool Clean() const { return !cleared && runs == 0; }
  // Adds columns [begin, end) to the dirty runs.
  void Add(int begin, int end);
  // Makes `drawn`, in increasing order and apart, the dirty runs, closing
  // the narrowest gaps between them where there are too many.
  void Assign(std::span<const Columns> drawn);
};

using RowStates = std::vector<RowState>;

// What the blitter may assume about its two images to skip work.
struct BlitHints {
  // One state per destination row, kept up to date by the blitter.
  RowStates* destRows = nullptr;
  // The source's non-background spans; nullptr to draw every pixel. Used
  // only together with destRows.
  const RowSpans* sourceSpans = nullptr;
  // The colour of the rows' clean and cleared columns.
  std::uint32_t background = 0xFF000000u;
  // Destination rows outside [firstRow, endRow) are left alone, so that
  // parts of one blit can be drawn apart.
  int firstRow = 0;
  int endRow = std::numeric_limits<int>::max();
};

// Copies `sourceRect` of `source` into `destRect` of `dest`, scaled to fit.
// Destination pixels outside `dest` are not touched (bands outside cost
// almost nothing); source columns outside `source` count as black, and
// destination rows whose source row lies outside `source` are left as they
// are. Returns false when nothing was drawn.
bool StretchBlt(PixelView dest, BlitRect destRect, ConstPixelView source, BlitRect sourceRect,
                const BlitHints& hints = {});

// Destination rows [first, end).
struct RowRange {
  int first = 0;
  int end = 0;
  bool Empty() const { return first >= end; }
};

// The destination rows StretchBlt with these images and rectangles may
// draw, worked out without drawing; empty when it draws nothing (when it
// returns false).
RowRange DrawnRows(PixelView dest, BlitRect destRect, ConstPixelView source, BlitRect sourceRect);

// A clear that costs nothing up front: rows with dirty columns become cleared.
void ClearRows(RowStates& rows);

// Fills the dirty columns of the cleared rows of `image` with `background`;
// those rows become clean.
void FillClearedRows(PixelView image, RowStates& rows, std::uint32_t background);

}  // namespace tarvex::pixels
