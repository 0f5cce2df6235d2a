#pragma once
// The vector unit's part of a widening, where the processor has one.

#include <span>

#include "platform/qt/widening.h"

namespace tarvex::qt {

// Whether WidenInBlocks can run here.
bool CanWidenInBlocks();

// Widening::Draw in blocks of eight columns.
void WidenInBlocks(const Widening& widening, const BandRows& rows,
                   std::span<const ColumnRange> ranges, ColumnRange bounds);

}  // namespace tarvex::qt
