#pragma once

#include "device/ObdReply.h"

#include <cstdint>
#include <initializer_list>

// Building OBD request records and reading the first answer of a reply.
namespace vexor {

inline constexpr std::uint8_t kObdCurrentData = 0x01; // service 1
inline constexpr std::uint8_t kObdStoredCodes = 0x03; // service 3
inline constexpr std::uint8_t kObdClearCodes = 0x04;  // service 4
// A positive answer carries the request's service plus this.
inline constexpr std::uint8_t kObdAnswerOffset = 0x40;

// Offsets inside one 12-byte answer entry.
inline constexpr std::size_t kObdEntryUnit = 0;
inline constexpr std::size_t kObdEntryControl = 4;
inline constexpr std::size_t kObdEntryService = 5;
inline constexpr std::size_t kObdEntryPid = 6;
inline constexpr std::size_t kObdEntryA = 7;

// The three bus identifiers, low byte first, at the head of a record.
void putObdIdentifiers(std::uint8_t* record, std::uint32_t request, std::uint32_t response,
                       std::uint32_t third);
// A service without a PID (stored codes, clearing) to the protocol's
// identifiers.
ObdRequest obdServiceRequest(std::uint32_t protocol, std::uint8_t service);
// Up to seven request data bytes (service, then its parameters) to the
// protocol's identifiers; more are cut off.
ObdRequest obdDataRequest(std::uint32_t protocol, std::initializer_list<std::uint8_t> data);
// Service 1 with a PID to the protocol's identifiers.
ObdRequest obdPidRequest(std::uint32_t protocol, std::uint8_t pid);

// The unit identifier of an entry (bytes 0..3, low byte first).
std::uint32_t obdEntryUnit(const std::uint8_t* entry);
// Data bytes A..D of an entry as one big-endian word.
std::uint32_t obdEntryDataWord(const std::uint8_t* entry);
// True when entry is a positive service-1 answer for pid.
bool obdEntryAnswers(const std::uint8_t* entry, std::uint8_t pid);
// The first entry of the reply when it answers service 1 for pid; else null.
const std::uint8_t* obdFirstAnswer(const ObdReply& reply, std::uint8_t pid);

} // namespace vexor
