#pragma once

#include "maps/MapSelection.h"

#include <array>
#include <cstdint>
#include <vector>

// The controller changes the injection map a rectangle at a time: the
// six-byte map-region record carries the first row and column, the number of
// rows and columns, the operation and its operand.
namespace vexor {

enum class MapOp : std::uint8_t { Set = 1, Add = 2, Subtract = 3, Clear = 4 };

// A rectangle of cells: first row and column, and how many of each.
struct SCellBlock {
    int row = 0;
    int column = 0;
    int rows = 0;
    int columns = 0;

    bool operator==(const SCellBlock&) const = default;
};

struct SMapRegion {
    SCellBlock block;
    MapOp op = MapOp::Clear;
    // Set: value + 100 (50..150); add and subtract: the amount (0..50); clear: 0.
    std::uint8_t operand = 0;

    std::array<std::uint8_t, 6> bytes() const;
};

// The region record for one block. Set takes a value (kept to -50..+50), add
// and subtract an amount (kept to 0..50), clear ignores `value`.
SMapRegion mapRegion(const SCellBlock& block, MapOp op, int value);

// Rectangles that together cover exactly the selected cells, each cell once.
// They are found in the grid's scan order (column by column, top to bottom):
// the first uncovered selected cell starts a block, which reaches right
// along its row over consecutive selected cells and then down over every
// row whose cells under that span are all selected. A rectangular selection
// gives one block.
//
// A single rectangle read off the first row and column of the selection
// would miss cells of an L-shaped selection and take in cells that are not
// selected, leaving the controller's map different from the grid.
std::vector<SCellBlock> selectionBlocks(const CMapSelection& selection);

} // namespace vexor
