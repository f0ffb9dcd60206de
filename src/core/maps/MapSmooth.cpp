#include "maps/MapSmooth.h"

#include "common/Rounding.h"

namespace vexor {

std::optional<MapValues> smoothBlock(const MapValues& values, const SCellBlock& block) {
    if (block.rows < kSmoothMinSide || block.columns < kSmoothMinSide)
        return std::nullopt;
    MapValues out = values;
    for (int r = block.row + 1; r < block.row + block.rows - 1; ++r) {
        for (int c = block.column + 1; c < block.column + block.columns - 1; ++c) {
            int sum = 0;
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc)
                    sum += values[r + dr][c + dc];
            out[r][c] = roundInt(sum / 9.0);
        }
    }
    return out;
}

} // namespace vexor
