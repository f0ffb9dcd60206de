#include "maps/MapRegion.h"

#include "maps/MapLayout.h"

#include <algorithm>

namespace vexor {

namespace {
constexpr int kValueOffset = 100;
} // namespace

std::array<std::uint8_t, 6> SMapRegion::bytes() const {
    return {static_cast<std::uint8_t>(block.row),  static_cast<std::uint8_t>(block.column),
            static_cast<std::uint8_t>(block.rows), static_cast<std::uint8_t>(block.columns),
            static_cast<std::uint8_t>(op),         operand};
}

SMapRegion mapRegion(const SCellBlock& block, MapOp op, int value) {
    SMapRegion region;
    region.block = block;
    region.op = op;
    const int max = static_cast<int>(kMapMaxValue);
    switch (op) {
    case MapOp::Set:
        region.operand = static_cast<std::uint8_t>(std::clamp(value, -max, max) + kValueOffset);
        break;
    case MapOp::Add:
    case MapOp::Subtract:
        region.operand = static_cast<std::uint8_t>(std::clamp(value, 0, max));
        break;
    case MapOp::Clear:
        region.operand = 0;
        break;
    }
    return region;
}

std::vector<SCellBlock> selectionBlocks(const CMapSelection& selection) {
    std::array<std::array<bool, kMapColumnCount>, kMapRowCount> covered{};
    const auto open = [&](int r, int c) { return selection.isSelected({r, c}) && !covered[r][c]; };
    std::vector<SCellBlock> blocks;
    for (int c0 = 0; c0 < kMapColumnCount; ++c0) {
        for (int r0 = 0; r0 < kMapRowCount; ++r0) {
            if (!open(r0, c0))
                continue;
            SCellBlock block{r0, c0, 1, 0};
            while (c0 + block.columns < kMapColumnCount && open(r0, c0 + block.columns))
                ++block.columns;
            for (;;) {
                const int r = r0 + block.rows;
                if (r >= kMapRowCount)
                    break;
                bool full = true;
                for (int c = c0; c < c0 + block.columns && full; ++c)
                    full = open(r, c);
                if (!full)
                    break;
                ++block.rows;
            }
            for (int r = r0; r < r0 + block.rows; ++r)
                for (int c = c0; c < c0 + block.columns; ++c)
                    covered[r][c] = true;
            blocks.push_back(block);
        }
    }
    return blocks;
}

} // namespace vexor
