#pragma once

#include <array>
#include <cstdint>

// Named wirings of petrol-injector inputs to gas injectors (m_adv.m_injSequence).
namespace vexor {

using InjSequence = std::array<std::uint8_t, 8>;

// The values double as the gasoline page's combo-box entries.
enum InjPattern : int {
    InjPatternNone = -1, // a wiring without a name
    InjPatternSequential = 0,
    InjPatternSemiSequential = 1,
    InjPatternFullGroup = 2
};

// Bits of a sequence byte that can name an input: 0x0F for 4 injectors, 0x3F
// for 6, all eight otherwise.
std::uint8_t injSequenceMask(int injCount);

// The full eight-byte pattern, unmasked.
InjSequence injPatternBytes(InjPattern pattern);

// The pattern as a controller with `injCount` injectors stores it: every byte
// masked (InjPatternNone gives the sequential wiring).
InjSequence injPatternForCount(InjPattern pattern, int injCount);

// Names `sequence` by comparing its first `injCount` bytes with each pattern,
// both sides masked; the bytes of absent injectors are ignored. A count
// outside 1..8 (identity not read yet) compares all eight bytes.
InjPattern recognizeInjPattern(const InjSequence& sequence, int injCount);

} // namespace vexor
