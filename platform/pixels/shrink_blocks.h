#pragma once
// The vector unit's part of a shrinking, where the processor has AVX2.

#include <span>

#include "platform/pixels/shrinking.h"

namespace tarvex::pixels {

// Whether the processor runs the blocks.
bool ShrinkBlocksRun();

// Whether the blocks draw this shrinking: footprints of at most a few
// source pixels, and not a plain copy.
bool ShrinksInBlocks(const Shrinking& shrinking);

// Shrinking::Draw in blocks of eight columns, whose source pixels and
// weights are worked out once for all rows of the band; the blocks must
// run here and draw this shrinking.
void ShrinkInBlocks(const Shrinking& shrinking, const BandRows& rows,
                    std::span<const ColumnRange> ranges, ColumnRange bounds);

}  // namespace tarvex::pixels
