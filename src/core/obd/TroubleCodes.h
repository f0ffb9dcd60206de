#pragma once

#include "device/ObdReply.h"

#include <cstdint>
#include <vector>

// Reading the car's stored trouble codes out of OBD answers.
namespace vexor {

// The number of codes a unit has stored, from its answer to PID 0x01 (the
// low seven bits of A; the top bit is the warning lamp). 0 for an entry that
// is no such answer.
int storedCodeCount(const std::uint8_t* entry);

// The codes of a service-3 answer, in order. The entries are the bus frames
// of the answer: a first frame (control bit 0x10) carries up to two codes in
// bytes 8..11, a continuation frame (bit 0x20) up to three from byte 5, and a
// single frame (0x43, count, codes) up to two from byte 7. `expected` is the
// count the unit announced; reading stops once that many were taken. A code
// of 0 ends its frame.
std::vector<std::uint16_t> troubleCodesFromAnswer(const ObdReply& reply, int expected);

} // namespace vexor
