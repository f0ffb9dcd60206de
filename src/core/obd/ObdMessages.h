#pragma once

#include "device/ObdReply.h"

#include <cstdint>
#include <vector>

// Whole OBD answers put back together from the bus frames the controller
// relays. Each reply entry carries one frame as it came off the bus: byte 4
// its control byte, bytes 5..11 its data. A single frame holds up to seven
// bytes (control 0x01..0x07 gives the length), a first frame (0x1L) announces
// a length of up to 4095 and holds six bytes, continuation frames (0x2N) hold
// seven more each.
namespace vexor {

struct ObdMessage {
    std::uint32_t unit = 0;
    // The answer from its service byte on: 0x40 + service, then its data; a
    // refusal is 0x7F, the service refused, the reason.
    std::vector<std::uint8_t> bytes;
};

// The answers in the reply, one per answering unit and answer, in the order
// their first frames came. A continuation frame joins the open answer of its
// unit; one without an open answer is dropped. An answer whose frames stop
// short keeps what came.
std::vector<ObdMessage> obdMessages(const ObdReply& reply);

// Reason a unit gives for refusing a service.
inline constexpr std::uint8_t kObdNegativeAnswer = 0x7F;
inline constexpr std::uint8_t kObdServiceNotSupported = 0x11;
inline constexpr std::uint8_t kObdSubFunctionNotSupported = 0x12;

// True when the message is the positive answer to `service`.
bool obdAnswers(const ObdMessage& message, std::uint8_t service);
// True when the message refuses `service`.
bool obdRefuses(const ObdMessage& message, std::uint8_t service);

} // namespace vexor
