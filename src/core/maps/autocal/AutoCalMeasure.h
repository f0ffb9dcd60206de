#pragma once

#include "device/Diag.h"

#include <optional>
#include <span>

// Reading the car's own injection time and the gas pressure out of live
// records.
namespace vexor {

// An injector shorter than this is not firing (the engine is stopped or the
// cylinder is cut off).
inline constexpr double kFiringThresholdMs = 0.2;

// Injection time the car's control unit commands for gas injector k: the
// longer petrol time of its two channels, in ms to two decimals.
double commandedTimeMs(const CDiag& record, int injector);

// Whether any of the first `injectors` injectors fires in this record.
bool engineRunning(const CDiag& record, int injectors);

struct SAutoCalSample {
    double timeMs = 0.0;   // mean commanded time of the firing injectors, two decimals
    double pressure = 0.0; // mean gas pressure of the records, whole number
};

// Averages a collection: the commanded time over every firing injector of
// every record, the gas pressure over the records. Nothing when no injector
// fired in any record (or there are no records).
std::optional<SAutoCalSample> measureRecords(std::span<const CDiag> records, int injectors);

} // namespace vexor
