#pragma once

#include <cstdint>

// Raw controller bytes <-> engineering units. Doubles in and out; callers round
// the results of the inverse conversions themselves.
namespace vexor {

// Temperature sensor types, also the column of the temperature table.
enum TemprColumn : int {
    TemprColumn10k = 0,
    TemprColumn2k2 = 1,
    TemprColumn4k7 = 2,
    TemprColumnCount = 3
};

// Bit of the first advanced-flags byte / of the second one that selects the
// absolute manifold sensor.
inline constexpr std::uint8_t kAbsManifoldFlag = 0x10;
inline constexpr std::uint8_t kAbsManifoldFlag2 = 0x01;

// Ignition period counts per minute: rpm = kPeriodRpmFactor / period.
inline constexpr double kPeriodRpmFactor = 4800000.0;

double voltFromRaw(double raw);
double supplyFromRaw(double raw);
double pressureFromRaw(double raw);
double manifoldFromRaw(double raw, std::uint8_t advancedFlags, std::uint8_t advancedFlags2);
// A raw value outside 0..255 is clamped into the table; a column outside
// 0..2 (an unknown sensor type read from the controller) reads column 0.
double temprFromRaw(double raw, int column);

double rawFromVolt(double volts);
double rawFromSupply(double volts);
double rawFromPressure(double pressure);
// The smallest raw whose table entry is at or below t; 0 when there is none.
double rawFromTempr(double tempr, int column);

// Engine speed from an ignition period count; 0 for a period of 0 (no pulses).
double rpmFromPeriod(double period);
// Ignition period count for an engine speed; 0 for a speed of 0.
double periodFromRpm(double rpm);

} // namespace vexor
