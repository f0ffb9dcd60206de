#include "device/InjPattern.h"

#include <cstddef>

namespace vexor {

namespace {
constexpr InjSequence kSequential{0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};
constexpr InjSequence kSemiSequential{0x55, 0xAA, 0, 0, 0, 0, 0, 0};
constexpr InjSequence kFullGroup{0xFF, 0, 0, 0, 0, 0, 0, 0};

bool sameMasked(const InjSequence& a, const InjSequence& b, std::size_t count, std::uint8_t mask) {
    for (std::size_t i = 0; i < count; ++i) {
        if ((a[i] & mask) != (b[i] & mask))
            return false;
    }
    return true;
}
} // namespace

std::uint8_t injSequenceMask(int injCount) {
    switch (injCount) {
    case 4:
        return 0x0F;
    case 6:
        return 0x3F;
    default:
        return 0xFF;
    }
}

InjSequence injPatternBytes(InjPattern pattern) {
    switch (pattern) {
    case InjPatternSemiSequential:
        return kSemiSequential;
    case InjPatternFullGroup:
        return kFullGroup;
    default:
        return kSequential;
    }
}

InjSequence injPatternForCount(InjPattern pattern, int injCount) {
    InjSequence bytes = injPatternBytes(pattern);
    const std::uint8_t mask = injSequenceMask(injCount);
    for (auto& b : bytes)
        b &= mask;
    return bytes;
}

InjPattern recognizeInjPattern(const InjSequence& sequence, int injCount) {
    const std::size_t count =
        (injCount >= 1 && injCount <= 8) ? static_cast<std::size_t>(injCount) : sequence.size();
    const std::uint8_t mask = injSequenceMask(injCount);
    for (InjPattern p : {InjPatternSequential, InjPatternSemiSequential, InjPatternFullGroup}) {
        if (sameMasked(sequence, injPatternBytes(p), count, mask))
            return p;
    }
    return InjPatternNone;
}

} // namespace vexor
