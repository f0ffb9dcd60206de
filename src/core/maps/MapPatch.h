#pragma once

#include "maps/MapRegion.h"
#include "maps/MapValues.h"

#include <vector>

// Turning one whole map into another with as few "set" region records as the
// controller needs: used to undo and redo, to smooth and to paste.
namespace vexor {

// One "set" record: every cell of the block takes the value.
struct SMapSet {
    SCellBlock block;
    int value = 0;

    bool operator==(const SMapSet&) const = default;
};

// Blocks of equal target values that together change `from` into `to`. Every
// cell that differs is covered; a block may also take in cells that already
// hold its value (setting them changes nothing), which often joins what
// would otherwise be separate pieces. Each block is grown from the first
// cell still to be covered, in whichever of two growth orders covers more of
// what is left. Empty when the maps are equal.
std::vector<SMapSet> mapPatch(const MapValues& from, const MapValues& to);

// The cells a patch changes in `from` (what the fitter sees before sending).
int changedCellCount(const MapValues& from, const MapValues& to);

} // namespace vexor
