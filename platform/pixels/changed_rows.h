#pragma once
// Which rows of an image changed since it was last shown, so that showing
// it again sends only those.

#include <cstdint>
#include <vector>

#include "platform/pixels/stretch_blt.h"

namespace tarvex::pixels {

class ChangedRows {
 public:
  // An image of `height` rows, none of them shown yet: all count as changed.
  void Reset(int height);
  // Rows [first, end), clipped to the image.
  void Mark(int first, int end);
  // The rows of [first, end) that hold anything but the background after a
  // drawing: those it may have changed. Clean rows it left as they were.
  void MarkDrawn(const RowStates& rows, RowRange drawn);
  // The rows that will turn to background: those a clear is about to clear.
  void MarkCleared(const RowStates& rows);
  // The changed rows as runs, in increasing order; afterwards none is.
  std::vector<RowRange> Take();

 private:
  std::vector<std::uint8_t> changed_;
  bool any_ = false;
};

}  // namespace tarvex::pixels
