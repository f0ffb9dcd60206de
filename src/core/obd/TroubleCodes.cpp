#include "obd/TroubleCodes.h"

#include "obd/ObdRequests.h"
#include "obd/ObdValues.h"

#include <algorithm>

namespace vexor {

namespace {

constexpr std::uint8_t kFirstFrame = 0x10;
constexpr std::uint8_t kContinuationFrame = 0x20;
constexpr std::size_t kSingleCount = 6;
constexpr std::size_t kSingleCodes = 7;
constexpr std::size_t kFirstCodes = 8;
constexpr std::size_t kContinuationCodes = 5;

// Takes up to `limit` two-byte codes from entry[from..], never past the end
// of the entry; a zero code ends the frame. Returns how many were taken.
int takeCodes(const std::uint8_t* entry, std::size_t from, int limit,
              std::vector<std::uint16_t>& out) {
    int taken = 0;
    for (std::size_t at = from; taken < limit && at + 1 < ObdReply::kEntryLength; at += 2) {
        const auto code = static_cast<std::uint16_t>(entry[at] << 8 | entry[at + 1]);
        if (code == 0)
            break;
        out.push_back(code);
        ++taken;
    }
    return taken;
}

} // namespace

int storedCodeCount(const std::uint8_t* entry) {
    if (!obdEntryAnswers(entry, kPidMonitorStatus))
        return 0;
    return entry[kObdEntryA] & 0x7F;
}

std::vector<std::uint16_t> troubleCodesFromAnswer(const ObdReply& reply, int expected) {
    std::vector<std::uint16_t> codes;
    for (std::size_t k = 0; k < reply.entryCount() && expected > 0; ++k) {
        const std::uint8_t* entry = reply.entry(k);
        const std::uint8_t control = entry[kObdEntryControl];
        int taken;
        if (control & kFirstFrame)
            taken = takeCodes(entry, kFirstCodes, 2, codes);
        else if (control & kContinuationFrame)
            taken = takeCodes(entry, kContinuationCodes, std::min(3, expected), codes);
        else
            taken = takeCodes(entry, kSingleCodes, entry[kSingleCount], codes);
        expected -= taken;
    }
    return codes;
}

} // namespace vexor
