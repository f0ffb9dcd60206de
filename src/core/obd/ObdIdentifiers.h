#pragma once

#include <cstdint>

// Bus identifiers of the car's diagnostic link. The controller's OBD setup
// stores one protocol identifier; every other identifier a request carries is
// derived from it.
namespace vexor {

// Protocol identifiers the link search tries.
inline constexpr std::uint32_t kObdCan11Bit = 0x7DF;      // CAN, 11-bit identifiers
inline constexpr std::uint32_t kObdCan29Bit = 0x18DB33F1; // CAN, 29-bit identifiers
inline constexpr std::uint32_t kObdKLine = 0x7A0;         // ISO 9141 / KWP2000
// Any protocol identifier from here on stands for 29-bit CAN.
inline constexpr std::uint32_t kObdFirst29Bit = 2048;

// Bus speed codes of the setup: 2 is 500 kbit/s, anything else 250 kbit/s.
inline constexpr std::uint8_t kObdSpeed250 = 1;
inline constexpr std::uint8_t kObdSpeed500 = 2;

enum class ObdBus { Can11Bit, Can29Bit, KLine };

ObdBus obdBus(std::uint32_t protocol);

// The three identifiers every request carries, in the order they travel.
std::uint32_t obdRequestId(std::uint32_t protocol);
// Also what the setup stores at offset 4.
std::uint32_t obdResponseId(std::uint32_t protocol);
std::uint32_t obdThirdId(std::uint32_t protocol);
// The request identifier that reaches only the unit that answered with
// `unit`.
std::uint32_t obdUnitRequestId(std::uint32_t protocol, std::uint32_t unit);

} // namespace vexor
