#include "maps/autocal/AutoCalMeasure.h"

#include "common/Rounding.h"
#include "device/Conversions.h"

namespace vexor {

double commandedTimeMs(const CDiag& record, int injector) {
    return record.injectorTimes(injector).petrolMs;
}

bool engineRunning(const CDiag& record, int injectors) {
    for (int k = 0; k < injectors; ++k) {
        if (commandedTimeMs(record, k) > kFiringThresholdMs)
            return true;
    }
    return false;
}

std::optional<SAutoCalSample> measureRecords(std::span<const CDiag> records, int injectors) {
    double timeSum = 0.0;
    int firing = 0;
    double pressureSum = 0.0;
    for (const CDiag& record : records) {
        for (int k = 0; k < injectors; ++k) {
            const double ms = commandedTimeMs(record, k);
            if (ms > kFiringThresholdMs) {
                timeSum += ms;
                ++firing;
            }
        }
        pressureSum += pressureFromRaw(record.gasPressureRaw());
    }
    if (firing == 0)
        return std::nullopt;
    SAutoCalSample sample;
    sample.timeMs = round2(timeSum / firing);
    sample.pressure = roundInt(pressureSum / static_cast<double>(records.size()));
    return sample;
}

} // namespace vexor
