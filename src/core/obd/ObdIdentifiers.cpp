#include "obd/ObdIdentifiers.h"

namespace vexor {

namespace {
constexpr std::uint32_t kKLineResponse = 0x7A8;
constexpr std::uint32_t kCan29Request = 0x18DA00F1;
constexpr std::uint32_t kCan29Response = 0x18DAF100;
constexpr std::uint32_t kCan11Physical = 0x7E0;
// An 11-bit unit answers eight above the identifier it listens on.
constexpr std::uint32_t kCan11AnswerOffset = 8;
} // namespace

ObdBus obdBus(std::uint32_t protocol) {
    if (protocol == kObdKLine)
        return ObdBus::KLine;
    return protocol >= kObdFirst29Bit ? ObdBus::Can29Bit : ObdBus::Can11Bit;
}

std::uint32_t obdRequestId(std::uint32_t protocol) {
    switch (obdBus(protocol)) {
    case ObdBus::KLine:
        return kObdKLine;
    case ObdBus::Can29Bit:
        return kCan29Request;
    case ObdBus::Can11Bit:
        break;
    }
    return kCan11Physical;
}

std::uint32_t obdResponseId(std::uint32_t protocol) {
    switch (obdBus(protocol)) {
    case ObdBus::KLine:
        return kKLineResponse;
    case ObdBus::Can29Bit:
        return kCan29Response;
    case ObdBus::Can11Bit:
        break;
    }
    return kCan11Physical;
}

std::uint32_t obdThirdId(std::uint32_t protocol) {
    return obdResponseId(protocol);
}

std::uint32_t obdUnitRequestId(std::uint32_t protocol, std::uint32_t unit) {
    switch (obdBus(protocol)) {
    case ObdBus::KLine:
        // One engine computer on the K-line: it always listens on 0x7A0.
        return kObdKLine;
    case ObdBus::Can29Bit:
        // Target address in bits 8..15, the tester (F1) in the low byte.
        return kCan29Request | ((unit & 0xFFu) << 8);
    case ObdBus::Can11Bit:
        break;
    }
    // A unit identifier below the answer offset is no 11-bit answer at all;
    // wrapping it would address a 29-bit identifier instead.
    return unit >= kCan11AnswerOffset ? unit - kCan11AnswerOffset : obdRequestId(protocol);
}

} // namespace vexor
