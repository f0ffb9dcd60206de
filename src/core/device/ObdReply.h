#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vexor {

// A single OBD request record: three 32-bit bus identifiers (request,
// response, third), the number of data bytes at 12, the data from 13 on.
inline constexpr std::size_t kObdRequestLength = 20;
using ObdRequest = std::array<std::uint8_t, kObdRequestLength>;

// Several OBD values at once: the same head, byte 12 the number n of 4-byte
// items behind it; only the first 14 + 4n bytes travel.
inline constexpr std::size_t kObdMultiRecordLength = 34;
inline constexpr std::size_t kObdMultiMaxItems = (kObdMultiRecordLength - 14) / 4;
using ObdMultiRequest = std::array<std::uint8_t, kObdMultiRecordLength>;

// The controller's OBD interface setup and OBD correction setup, kept as the
// raw bytes the OBD page edits.
using ObdSetup = std::array<std::uint8_t, 12>;
using ObdCorr = std::array<std::uint8_t, 18>;

} // namespace vexor

// The answer to an OBD request: bytes 0..1 (low byte first) count the 12-byte
// entries that follow from byte 2 on, one per answering unit or bus frame; the
// controller pads the payload with 4 more bytes, so n entries make 6 + 12n.
// Within an entry: bytes 0..3 the unit's identifier, 4 the bus frame's control
// byte, 5 the service (request service + 0x40), 6 the PID, 7..11 the data
// bytes A..E. The first answer's service byte is thus payload byte 7.
struct ObdReply {
    static constexpr std::size_t kCountLength = 2;
    static constexpr std::size_t kEntryLength = 12;

    // The whole reply payload as received.
    std::vector<std::uint8_t> payload;

    // The count the reply announces.
    std::size_t declaredEntries() const;
    // The entries actually present: the announced count, but never more than
    // the received payload holds, so a damaged count cannot send a reader past
    // the end of the data.
    std::size_t entryCount() const;
    // Entry k (kEntryLength bytes), or null when k >= entryCount().
    const std::uint8_t* entry(std::size_t k) const;
};
