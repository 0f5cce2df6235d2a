#pragma once
// Which parts of an image changed since it was last shown, so that showing
// it again sends only those: per row the columns between the first and the
// last that changed.

#include <vector>

#include "platform/pixels/stretch_blt.h"

namespace tarvex::pixels {

class ChangedRows {
 public:
  // An image of `width` x `height` pixels, none of them shown yet: all count
  // as changed.
  void Reset(int width, int height);
  // Rows [first, end) whole, clipped to the image.
  void Mark(int first, int end);
  // What of rows [first, end) holds anything but the background after a
  // drawing: what it may have changed. Clean rows it left as they were.
  void MarkDrawn(const RowStates& rows, RowRange drawn);
  // What will turn to background: what a clear is about to clear.
  void MarkCleared(const RowStates& rows);
  // The changed parts as rectangles, each over a few rows, in increasing
  // order of rows; afterwards nothing is changed.
  std::vector<BlitRect> Take();

 private:
  void Add(std::size_t row, RowState::Columns columns);

  int width_ = 0;
  std::vector<RowState::Columns> changed_;  // per row; empty where unchanged
  bool any_ = false;
};

}  // namespace tarvex::pixels
