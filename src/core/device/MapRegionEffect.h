#pragma once

#include "device/codecs/InjMapCodec.h"

#include <array>
#include <cstdint>

namespace vexor {

// What a map-region record does to the controller's map area, worked out on
// the PC so that a region operation whose reply was lost can be checked by
// reading the area back instead of being sent again.
using MapRegionRecord = std::array<std::uint8_t, 6>;

// What the controller's map holds after a region operation.
enum class MapRegionState {
    Changed, // the operation acted, once
    // It acted, once, but the controller answered with a refusal.
    Unconfirmed,
    Unchanged, // the region holds what it held before: nothing acted
    Unknown,   // the map could not be read back
    Other,     // the region holds neither the old values nor the new ones
};

// Operations whose effect depends on how often they run: sending one of them
// twice changes the map twice.
bool regionOpAccumulates(const MapRegionRecord& region);

// The area as it is after the controller carried out `region` on `before`:
// cells kept within the map's range (-50..+50), the rest of the area as it was.
InjMapArea regionApplied(const InjMapArea& before, const MapRegionRecord& region);

// Whether the region's cells hold the same values in both areas.
bool regionCellsEqual(const InjMapArea& a, const InjMapArea& b, const MapRegionRecord& region);

} // namespace vexor
