#pragma once

#include "device/DeviceSettings.h"

#include <chrono>
#include <optional>
#include <span>

// The arithmetic of the automatic calibration, apart from the live records
// (AutoCalMeasure.h) and the run itself (CAutoCalibration).
namespace vexor {

// A collection phase lets the engine settle for at least this many live
// records after a fuel switch, more when the cylinders switch one by one
// slowly; demonstration mode makes do with a few.
inline constexpr int kSettleMinRecords = 50;
inline constexpr int kSettleDemoRecords = 5;
// Fresh records a measurement averages at least.
inline constexpr int kMeasureMinRecords = 3;
// The reducer must be this warm (°C) before gas flows steadily enough.
inline constexpr double kAutoCalMinReducerTempr = 50.0;
// Calibration results outside this range still work but suggest other
// injectors.
inline constexpr double kMainCorrAdviceLow = 0.5;  // ms
inline constexpr double kMainCorrAdviceHigh = 2.5; // ms
// The switch-over pressure is this share of the working pressure measured.
inline constexpr double kSwitchPressureShare = 0.6;

// Gas injectors the records are read for: the settings' count, within what a
// live record carries.
int autoCalInjectors(const DeviceSettings& settings);

// Records of a settle phase: max(50, trunc(emulatorDelay · 2.5 · N / 4)), or
// 5 in demonstration mode; never more than the live history keeps, or the
// phase could not end.
int settleRecordCount(double emulatorDelay, int injectors, bool demo);

// Pause after a fuel switch: N · emulatorDelay seconds, truncated to whole
// seconds; never negative.
std::chrono::milliseconds switchWait(int injectors, double emulatorDelay);

// Progress bar value: 100 · (records so far + records of finished phases) /
// (8 · S + 295), rounded, within 0 .. 100.
int autoCalProgress(int records, double finishedRecords, int settleRecords);

bool reducerWarmEnough(double reducerTempr);

// Whether to offer a reset before the run, and of what.
struct SResetOffer {
    bool offered = false;        // the main correction is not the factory 1.00 ms
    bool multiplierLine = false; // a multiplier-line point is not 0
    bool injectionMap = false;   // a cell of the injection map is not 0
};
SResetOffer resetOfferFor(const DeviceSettings& settings);

// The measured gas pressure becomes the working pressure (reference and
// reducer value), 60 % of it the switch-over pressure, each a whole number;
// the pressure gain returns to 1.
void applyMeasuredPressure(DeviceSettings& settings, double pressure);

// What the first pass makes of its difference.
enum class CorrectionVerdict {
    TooSmall,      // below -3 ms: limited, the run ends
    TooLarge,      // above 6 ms: limited, the run ends
    AdviseLarger,  // above 2.5 ms: larger injectors recommended, the run goes on
    AdviseSmaller, // below 0.5 ms: smaller injectors recommended, the run goes on
    InRange
};
struct SCorrectionCheck {
    double correction = 0.0; // current + difference, limited to -3 .. +6 ms
    CorrectionVerdict verdict = CorrectionVerdict::InRange;
};
SCorrectionCheck checkFirstPassCorrection(double current, double difference);

// The value the differences are compared with: their median. A single wild
// pass moves a median less than a mean, and the check is there to catch such
// a pass.
double differenceReference(std::span<const double> differences);

// Whether a difference stays in: |trunc((ref - d) / ref)| < 10. Against a
// reference of exactly 0 the ratio has no value; only a difference of 0 stays
// in then, which is where the rule tends as the reference shrinks.
bool differenceAdmitted(double difference, double reference);

// The mean of the admitted differences; nothing when none is admitted.
std::optional<double> combineDifferences(std::span<const double> differences);

} // namespace vexor
