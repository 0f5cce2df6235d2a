#pragma once
// Our own StretchBlt over 32-bit pixel buffers: the crawl's hottest loop.
//
// Horizontally each destination pixel is the area average of the source
// pixels its footprint covers (a box filter), so shrunken text keeps its
// strokes instead of dropping or sparkling columns, and widened text gets
// soft column edges rather than uneven doubled columns. Vertically the copy
// takes the nearest source row; the crawl's bands are never scaled there.
// Negative widths or heights mirror, as the desktop's StretchBlt does.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarvex::qt {

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

// What the blitter may assume about its two images to skip work.
struct BlitHints {
  // One flag per destination row: non-zero when the row holds nothing but
  // the source spans' background colour. Rows that get drawn are cleared.
  std::vector<std::uint8_t>* cleanDestRows = nullptr;
  // The source's non-background spans; nullptr to draw every pixel.
  const RowSpans* sourceSpans = nullptr;
};

// Copies `sourceRect` of `source` into `destRect` of `dest`, scaled to fit.
// Destination pixels outside `dest` are not touched (bands outside cost
// almost nothing); source columns outside `source` count as black, and
// destination rows whose source row lies outside `source` are left as they
// are. Returns false when nothing was drawn.
bool StretchBlt(PixelView dest, BlitRect destRect, ConstPixelView source, BlitRect sourceRect,
                const BlitHints& hints = {});

// Fills with `background` every row of `image` whose flag in `cleanRows`
// (one per row) is zero, then flags every row clean: a clear that skips
// the rows no one has drawn on since the last one.
void ClearDirtyRows(PixelView image, std::vector<std::uint8_t>& cleanRows,
                    std::uint32_t background);

}  // namespace tarvex::qt
