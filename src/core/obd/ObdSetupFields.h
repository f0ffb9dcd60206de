#pragma once

#include "device/ObdReply.h"

#include <cstdint>

// The fields of the controller's OBD interface setup and OBD correction setup
// that the program edits. Every other byte is written back as it was read.
namespace vexor {

// OBD interface setup: protocol identifier (u32 LE) at 0, answer identifier
// (u32 LE) at 4, link byte at 8, bus speed code at 9, a count at 10.
inline constexpr std::size_t kObdSetupProtocol = 0;
inline constexpr std::size_t kObdSetupAnswer = 4;
inline constexpr std::size_t kObdSetupLink = 8;
inline constexpr std::size_t kObdSetupSpeed = 9;
inline constexpr std::size_t kObdSetupCount = 10;
inline constexpr std::uint8_t kObdLinkOn = 1;
inline constexpr std::uint8_t kObdLinkOff = 0;
// The controller needs the count at 10 at least this high; it is raised
// before every write.
inline constexpr std::uint8_t kObdMinCount = 8;

// OBD correction setup: enable bits (bit 0 bank 1, bit 1 bank 2), update
// period in half seconds, maximum in percent, bank mask (bit i set: cylinder
// i+1 follows bank 2).
inline constexpr std::size_t kObdCorrEnable = 0;
inline constexpr std::size_t kObdCorrPeriod = 1;
inline constexpr std::size_t kObdCorrMaximum = 2;
inline constexpr std::size_t kObdCorrBankMask = 3;

// What the page assumes before the first read.
ObdSetup defaultObdSetup();
ObdCorr defaultObdCorr();

std::uint32_t obdSetupProtocol(const ObdSetup& setup);
// Stores the protocol, its answer identifier and the speed code, and raises
// the count.
void storeObdProtocol(ObdSetup& setup, std::uint32_t protocol, std::uint8_t speedCode);
void raiseObdCount(ObdSetup& setup);

} // namespace vexor
