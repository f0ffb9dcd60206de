#include "device/MapRegionEffect.h"

#include "device/DeviceSettings.h"

#include <algorithm>

namespace vexor {

namespace {

constexpr int kOpSet = 1;
constexpr int kOpAdd = 2;
constexpr int kOpSubtract = 3;
// Cells travel as value + 100; the map holds -50..+50.
constexpr int kRawZero = 100;
constexpr int kRawMin = 50;
constexpr int kRawMax = 150;

template <class F> void forEachCell(const MapRegionRecord& region, F&& f) {
    const int rowEnd = std::min<int>(region[0] + region[2], DeviceSettings::kMapRows);
    const int colEnd = std::min<int>(region[1] + region[3], DeviceSettings::kMapCols);
    for (int r = region[0]; r < rowEnd; ++r)
        for (int c = region[1]; c < colEnd; ++c)
            f(static_cast<std::size_t>(r * DeviceSettings::kMapCols + c));
}

} // namespace

bool regionOpAccumulates(const MapRegionRecord& region) {
    return region[4] == kOpAdd || region[4] == kOpSubtract;
}

InjMapArea regionApplied(const InjMapArea& before, const MapRegionRecord& region) {
    InjMapArea after = before;
    const int operand = region[5];
    forEachCell(region, [&](std::size_t i) {
        int cell = after[i];
        switch (region[4]) {
        case kOpSet:
            cell = operand;
            break;
        case kOpAdd:
            cell += operand;
            break;
        case kOpSubtract:
            cell -= operand;
            break;
        default:
            cell = kRawZero;
            break;
        }
        after[i] = static_cast<std::uint8_t>(std::clamp(cell, kRawMin, kRawMax));
    });
    return after;
}

bool regionCellsEqual(const InjMapArea& a, const InjMapArea& b, const MapRegionRecord& region) {
    bool equal = true;
    forEachCell(region, [&](std::size_t i) { equal = equal && a[i] == b[i]; });
    return equal;
}

} // namespace vexor
