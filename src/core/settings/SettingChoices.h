#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What the pages' value combo boxes offer, in one place: the pages fill their
// boxes from these lists and the settings schema checks values against them,
// so the two cannot drift apart.
namespace vexor {

// Precision of an entry that carries a text of its own (a Polish phrase,
// translated when shown); its value is compared as it is.
inline constexpr int kChoiceTextPrecision = -1;

// One combo-box entry. For a number entry the text is the value formatted at
// its precision and is shown as it is; a text entry's text is a phrase key.
struct ChoiceEntry {
    std::string text;
    double value = 0;
    int precision = kChoiceTextPrecision;
};

// from, from + step, ... up to `to`, shown at `precision`.
struct ChoiceRange {
    double from = 0;
    double to = 0;
    double step = 1;
    int precision = 0;
};

// Every list a settings control offers. The lists whose control sets a member
// only on the way (injector-type presets, fuel-sensor family) are here too, so
// that a value can be checked against what the window program would store.
enum class Choice {
    None,
    // gasoline page
    SparkDivider,
    RpmLevel,
    EngineType,
    LambdaType,
    InjSequence,
    // gas page
    InjectorType,
    SwitchPressure,
    PressureRefGas,
    PressureSensor,
    TemprSensor,
    // switch page
    SwitchTempr,
    SwitchRpm,
    SwitchDelay,
    EmulatorDelay,
    MaxRpm,
    MaxLoad,
    PressAverage,
    MinRpm,
    FuelSensor,
    FuelLevel,
    // advanced page
    WarmingTime,
    PressureRefAdv,
    PressureGain,
    CutOffPressure,
    CutOffExitDelay,
    MinLpgTime,
    IgnoreTime,
    SwitchCorr,
    SwitchCorrTime,
    // inspection-interval dialog
    ServiceDistance,
    // set together with another control
    Pwm,
    PwmOffset,
    WarmingImpulse,
    FuelRes,
    FuelType,
    MaxRpmLow,
    // map, multiplier line and correction tools
    MapCell,
    LinePoint,
    MainCorr,
};

// The entries of a list as the control shows them for a controller of this
// firmware version (major << 8 | minor), in the control's order.
std::vector<ChoiceEntry> choiceEntries(Choice choice, std::int32_t version);

// The entries a range gives: built by repeated addition in double precision,
// stopping before an entry that would show a number past `to`.
std::vector<ChoiceEntry> expandRange(const ChoiceRange& range);

// "%d", "%.1f", "%.2f" or "%.3f" of the value rounded at that precision
// (halves away from zero).
std::string formatChoiceNumber(double value, int precision);

// The value rounded at the precision (a text precision leaves it as it is).
double atChoicePrecision(double value, int precision);

// The first entry whose value, at the entry's precision, equals value at
// that precision; -1 when none does.
int findChoice(const std::vector<ChoiceEntry>& entries, double value);

} // namespace vexor
