#include "maps/MapValues.h"

#include "device/DeviceSettings.h"
#include "maps/MapCellText.h"

#include <cmath>

namespace vexor {

int mapCellInt(double value) {
    // The wire byte is trunc(value + 100); the value is what that byte means.
    return static_cast<int>(std::trunc(clampMapValue(value) + 100.0)) - 100;
}

MapValues mapValuesOf(const DeviceSettings& settings) {
    MapValues values{};
    for (int r = 0; r < kMapRowCount; ++r)
        for (int c = 0; c < kMapColumnCount; ++c)
            values[r][c] = mapCellInt(settings.m_injMapTable[r][c]);
    return values;
}

void storeMapValues(DeviceSettings& settings, const MapValues& values) {
    for (int r = 0; r < kMapRowCount; ++r)
        for (int c = 0; c < kMapColumnCount; ++c)
            settings.m_injMapTable[r][c] = mapCellInt(values[r][c]);
}

} // namespace vexor
