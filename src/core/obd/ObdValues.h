#pragma once

#include <cstdint>
#include <string>

// The OBD values the program shows: which PIDs, how their data bytes decode
// and how they are written.
namespace vexor {

inline constexpr std::uint8_t kPidSupported = 0x00; // PIDs 01..20 supported, A..D bit mask
inline constexpr std::uint8_t kPidMonitorStatus = 0x01;
inline constexpr std::uint8_t kPidEngineLoad = 0x04; // A * 100 / 255 %
inline constexpr std::uint8_t kPidCoolant = 0x05;    // A - 40 °C
inline constexpr std::uint8_t kPidShortTrim1 = 0x06;
inline constexpr std::uint8_t kPidLongTrim1 = 0x07;
inline constexpr std::uint8_t kPidShortTrim2 = 0x08;
inline constexpr std::uint8_t kPidLongTrim2 = 0x09;
inline constexpr std::uint8_t kPidManifold = 0x0B;
inline constexpr std::uint8_t kPidEngineSpeed = 0x0C;  // (256 A + B) / 4 rpm
inline constexpr std::uint8_t kPidVehicleSpeed = 0x0D; // A km/h
inline constexpr std::uint8_t kPidAirFlow = 0x10;
inline constexpr std::uint8_t kPidOxygenB1S1 = 0x14;
inline constexpr std::uint8_t kPidOxygenB1S2 = 0x15;
inline constexpr std::uint8_t kPidOxygenB2S1 = 0x18;
inline constexpr std::uint8_t kPidOxygenB2S2 = 0x19;
inline constexpr std::uint8_t kPidStandard = 0x1C;

// The bit of `pid` (1..32) in the answer to PID 0x00; 0 outside that range.
std::uint32_t obdPidBit(std::uint8_t pid);

// The value of an answer's data bytes for one of the PIDs above: manifold
// pressure (kPa), air flow (g/s), fuel trims (%), oxygen sensors (V), engine
// load (%), coolant temperature (°C), engine speed (rpm), vehicle speed (km/h).
double obdValue(std::uint8_t pid, std::uint8_t a, std::uint8_t b);
// The same, written the way the page shows it.
std::string obdValueText(std::uint8_t pid, std::uint8_t a, std::uint8_t b);

// Name of the OBD standard the car reports (PID 0x1C); empty when unknown.
std::string obdStandardName(std::uint8_t a);
// "CAN 11-bit 500kb/s", "CAN 29-bit 250kb/s", "ISO9141/KWP2000".
std::string obdProtocolText(std::uint32_t protocol, std::uint8_t speedCode);

} // namespace vexor
