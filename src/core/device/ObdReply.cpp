#include "device/ObdReply.h"

#include <algorithm>

std::size_t ObdReply::declaredEntries() const {
    if (payload.size() < 2)
        return 0;
    return static_cast<std::size_t>(payload[0] | (payload[1] << 8));
}

std::size_t ObdReply::entryCount() const {
    if (payload.size() < kCountLength)
        return 0;
    const std::size_t present = (payload.size() - kCountLength) / kEntryLength;
    return std::min(declaredEntries(), present);
}

const std::uint8_t* ObdReply::entry(std::size_t k) const {
    if (k >= entryCount())
        return nullptr;
    return payload.data() + kCountLength + k * kEntryLength;
}
