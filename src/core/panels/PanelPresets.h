#pragma once

#include "device/DeviceSettings.h"

#include <cstdint>

// The settings that follow from one choice on the panels: the gas injector
// type brings its drive values, the fuel sensor type its characteristic and
// gauge marks, the RPM limits their companion members and flags.
namespace vexor {

struct SInjectorPreset {
    double pwm;
    double pwmOffset;      // ms
    double warmingImpulse; // ms
};

// Drive values of a gas injector type; types without values of their own
// take the common ones (50, 4.0 ms, 2.0 ms).
SInjectorPreset injectorPreset(int injectorType);
// Sets the type and its drive values.
void applyInjectorType(DeviceSettings::Adv& adv, std::uint8_t injectorType);

// Sets the fuel sensor type with its resistance class, characteristic and the
// four gauge marks. A type without a known characteristic changes nothing and
// returns false.
bool applyFuelSensorType(DeviceSettings::SensorsSetup& sensors, std::uint8_t type);

// The RPM limit: the lower limit lies 1000 below it, and the limit is active
// (base flags bit 1) unless it is the top value 8000.
void applyMaxRpm(DeviceSettings::Base& base, double rpm);
// The lowest RPM on gas; the check is active (kAdvFlagMinRpm) above 500.
void applyMinLpgRpm(DeviceSettings::AdvancedSetup& setup, double rpm);

// The gas pressure sensor: 0 differential, 1 the 400 kPa sensor, 2 the
// 250 kPa sensor.
int pressureSensorType(const DeviceSettings::AdvancedSetup& setup);
void applyPressureSensorType(DeviceSettings::AdvancedSetup& setup, int type);

// A flag bit set or cleared.
inline std::uint8_t withBit(std::uint8_t flags, std::uint8_t mask, bool on) {
    return static_cast<std::uint8_t>(on ? (flags | mask) : (flags & ~mask));
}

inline constexpr std::uint8_t kBaseFlagMinGasTempr = 0x01;
inline constexpr std::uint8_t kBaseFlagRpmLimit = 0x02;
inline constexpr std::uint8_t kAdvFlag2Sensor250 = 0x01;
inline constexpr std::uint8_t kEngineSignalPlus = 0x01;
inline constexpr std::int32_t kVersionSensor250 = 0x208;
inline constexpr std::int32_t kVersionMaxLoad = 0x206;

} // namespace vexor
