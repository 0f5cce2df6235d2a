#pragma once
// The vector unit's part of a widening, where the processor has one.

#include <optional>
#include <span>

#include "platform/pixels/widening.h"

namespace tarvex::pixels {

// The ways of drawing blocks of columns, each drawing the same pixels.
enum class BlockKernel {
  kAvx2,          // eight columns a block
  kBytePermutes,  // sixteen, with AVX-512 VBMI's byte permutes
};

// Whether the processor runs `kernel`.
bool Runs(BlockKernel kernel);

// The fastest kernel the processor runs, if any.
std::optional<BlockKernel> BestBlockKernel();

// Widening::Draw in blocks of columns with `kernel`, which must run here.
// Widenings too close to one for byte permutes, and bounds narrower than
// their blocks, use AVX2 instead.
void WidenInBlocks(BlockKernel kernel, const Widening& widening, const BandRows& rows,
                   std::span<const ColumnRange> ranges, ColumnRange bounds);

}  // namespace tarvex::pixels
