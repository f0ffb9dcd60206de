#pragma once

#include "maps/MapRegion.h"
#include "maps/MapValues.h"

#include <optional>

namespace vexor {

// Smallest block "Smooth" works on: its edge cells stay, so a smaller block
// has no inner cell.
inline constexpr int kSmoothMinSide = 3;

// The map with the block smoothed: every inner cell of the block becomes the
// average of itself and its eight neighbours, all taken from `values` before
// any change, rounded to a whole number (halves away from zero); the block's
// edge cells and everything outside stay. Nothing for a block smaller than
// 3 x 3.
std::optional<MapValues> smoothBlock(const MapValues& values, const SCellBlock& block);

} // namespace vexor
