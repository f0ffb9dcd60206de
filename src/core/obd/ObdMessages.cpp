#include "obd/ObdMessages.h"

#include "obd/ObdRequests.h"

#include <algorithm>
#include <map>

namespace vexor {

namespace {

constexpr std::size_t kFrameData = 5; // first data byte of an entry
constexpr std::size_t kFrameBytes = ObdReply::kEntryLength - kFrameData;

struct Open {
    std::size_t index; // into the result
    std::size_t expected;
};

} // namespace

std::vector<ObdMessage> obdMessages(const ObdReply& reply) {
    std::vector<ObdMessage> messages;
    std::map<std::uint32_t, Open> open;
    for (std::size_t k = 0; k < reply.entryCount(); ++k) {
        const std::uint8_t* entry = reply.entry(k);
        const std::uint32_t unit = obdEntryUnit(entry);
        const std::uint8_t control = entry[kObdEntryControl];
        const std::uint8_t* data = entry + kFrameData;
        switch (control >> 4) {
        case 0: {
            // A length outside 1..7 says nothing usable: take the whole frame.
            std::size_t length = control & 0x0F;
            if (length == 0 || length > kFrameBytes)
                length = kFrameBytes;
            messages.push_back({unit, {data, data + length}});
            open.erase(unit);
            break;
        }
        case 1: {
            const std::size_t expected = static_cast<std::size_t>(control & 0x0F) << 8 | data[0];
            const std::size_t take = std::min(expected, kFrameBytes - 1);
            messages.push_back({unit, {data + 1, data + 1 + take}});
            if (expected > take)
                open[unit] = {messages.size() - 1, expected};
            else
                open.erase(unit);
            break;
        }
        case 2: {
            const auto found = open.find(unit);
            if (found == open.end())
                break;
            std::vector<std::uint8_t>& bytes = messages[found->second.index].bytes;
            const std::size_t take = std::min(found->second.expected - bytes.size(), kFrameBytes);
            bytes.insert(bytes.end(), data, data + take);
            if (bytes.size() >= found->second.expected)
                open.erase(found);
            break;
        }
        default:
            break; // flow control and unknown frames carry no answer data
        }
    }
    return messages;
}

bool obdAnswers(const ObdMessage& message, std::uint8_t service) {
    return !message.bytes.empty() && message.bytes[0] == service + kObdAnswerOffset;
}

bool obdRefuses(const ObdMessage& message, std::uint8_t service) {
    return message.bytes.size() >= 2 && message.bytes[0] == kObdNegativeAnswer &&
           message.bytes[1] == service;
}

} // namespace vexor
