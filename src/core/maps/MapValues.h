#pragma once

#include "maps/MapLayout.h"

#include <array>

struct DeviceSettings;

// The whole map as whole-number corrections, row by row: what the controller
// holds, cell for cell. Undo, smoothing and paste compare and rebuild maps in
// this form, never in the grid's texts.
namespace vexor {

using MapValues = std::array<std::array<int, kMapColumnCount>, kMapRowCount>;

// A correction as it may enter the map from anywhere (a file, an old backup,
// a damaged image, a typed value): NaN and infinities count as 0, the rest
// is kept to -50..+50 and cut to the whole number the controller would store.
int mapCellInt(double value);

// The document's map as the controller holds it.
MapValues mapValuesOf(const DeviceSettings& settings);
void storeMapValues(DeviceSettings& settings, const MapValues& values);

} // namespace vexor
