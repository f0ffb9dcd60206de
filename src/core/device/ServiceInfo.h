#pragma once

#include "device/DeviceSettings.h"

#include <array>
#include <cstdint>
#include <string>

// The vehicle information the service dialogs show and the inspection
// reminder they set: work times, station codes and the gas hours left until
// the next inspection. The controller counts work time in 0.5 s units.
namespace vexor {

// Distance the inspection reminder assumes the car covers per hour on gas.
inline constexpr int kInspectionKmPerHour = 50;

// "h : mm : ss" of a work time in 0.5 s units ("%d : %02d : %02d").
std::string workTimeText(std::uint32_t halfSeconds);

// A station code as "%02X%02X-%02X%02X" with its bytes in the order 2, 3, 0, 1.
std::string stationCodeText(const std::array<std::uint8_t, 4>& code);

// Whole hours of a work time in 0.5 s units.
std::int64_t workHours(std::uint32_t halfSeconds);

// Gas hours left until the inspection falls due (never below 0).
std::int64_t inspectionHoursLeft(const DeviceSettings& settings);

// Sets the inspection reminder for km kilometres from now (0 switches it off):
// the reminder flag, and the gas work time at which the inspection falls due.
void setInspection(DeviceSettings& settings, int km);

} // namespace vexor
