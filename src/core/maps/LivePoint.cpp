#include "maps/LivePoint.h"

#include "device/Conversions.h"
#include "device/Diag.h"
#include "maps/MapLayout.h"

#include <algorithm>
#include <cmath>

namespace vexor {

namespace {

// Keeps an index to 0..count-1 before it is made an int, so no double
// beyond the int range is ever converted.
int clampedIndex(double value, int count) {
    if (!std::isfinite(value))
        return 0;
    return static_cast<int>(std::clamp(value, 0.0, static_cast<double>(count - 1)));
}

} // namespace

int mapColumnForRpm(double rpm) {
    return clampedIndex(std::trunc(rpm / 500.0 - 1.0), kMapColumnCount);
}

int mapRowForPetrolTime(double petrolMs, std::uint8_t corrMapFlags) {
    const double t = (corrMapFlags & kCorrMapHalfMs) != 0 ? 2.0 * petrolMs : petrolMs;
    return clampedIndex(std::floor(t) - 1.0, kMapRowCount);
}

SCellIndex mapCellFor(double rpm, double petrolMs, std::uint8_t corrMapFlags) {
    return {mapRowForPetrolTime(petrolMs, corrMapFlags), mapColumnForRpm(rpm)};
}

SLivePoint livePointOf(const CDiag& record, int injectorCount) {
    SLivePoint point;
    const int channels = std::clamp(2 * std::clamp(injectorCount, 0, CDiag::kInjectorCount), 0,
                                    CDiag::kChannelCount);
    for (int k = 0; k < channels; ++k) {
        const double ms = record.petrolMs(k);
        if (ms > point.petrolMs) {
            point.petrolMs = ms;
            point.channel = k;
        }
    }
    point.rpm = rpmFromPeriod(record.ignitionPeriod());
    return point;
}

} // namespace vexor
