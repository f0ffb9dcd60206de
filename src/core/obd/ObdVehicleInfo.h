#pragma once

#include "obd/ObdMessages.h"

#include <cstdint>
#include <string>
#include <vector>

// The car's identity from service 9: its VIN and the calibration IDs of its
// engine computer, each answer spread over several bus frames.
namespace vexor {

inline constexpr std::uint8_t kObdVehicleInfo = 0x09; // service 9
inline constexpr std::uint8_t kInfoVin = 0x02;
inline constexpr std::uint8_t kInfoCalibrationId = 0x04;

// The 17 characters of the VIN in a service-9 PID-2 answer; empty when the
// message is no such answer or holds fewer characters.
std::string obdVin(const ObdMessage& message);

// The calibration IDs of a service-9 PID-4 answer (16 characters each, the
// padding dropped); empty when the message is no such answer.
std::vector<std::string> obdCalibrationIds(const ObdMessage& message);

} // namespace vexor
