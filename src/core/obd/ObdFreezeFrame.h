#pragma once

#include "obd/ObdMessages.h"

#include <cstdint>
#include <string>
#include <vector>

// The freeze frame: the values the engine computer saved when it stored a
// code (service 2, frame 0), decoded by the same formulas as the live values.
namespace vexor {

inline constexpr std::uint8_t kObdFreezeFrame = 0x02; // service 2
inline constexpr std::uint8_t kPidFreezeCode = 0x02;  // code that stored the frame
inline constexpr std::uint8_t kPidFuelSystem = 0x03;

// The PIDs a freeze frame is asked for, in the order they are shown; the
// car's answer to PID 0x00 of service 2 says which of them it keeps.
const std::vector<std::uint8_t>& obdFreezePids();

// Polish name and unit of a freeze-frame PID (unit empty for the fuel
// system status).
const char* obdPidName(std::uint8_t pid);
const char* obdPidUnit(std::uint8_t pid);

// Polish key of the fuel system status (data byte A of PID 0x03): open loop
// while cold, closed loop, open loop for load or deceleration, open loop for
// a fault, closed loop with a faulty sensor. Null for any other value.
const char* obdFuelSystemText(std::uint8_t a);

struct ObdFreezeValue {
    std::uint8_t pid;
    std::string text; // formatted value, or the (untranslated) status key
};

struct ObdFreezeFrame {
    std::uint16_t code = 0; // 0: the car holds no freeze frame
    std::vector<ObdFreezeValue> values;
};

// Data bytes of a service-2 answer for `pid`, frame 0: the bytes after the
// PID and frame number. False when the message answers something else.
bool obdFreezeData(const ObdMessage& message, std::uint8_t pid, std::vector<std::uint8_t>& data);

// The value of one freeze-frame PID as shown; empty when the data is short.
std::string obdFreezeValueText(std::uint8_t pid, const std::vector<std::uint8_t>& data);

} // namespace vexor
