#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

// The injection-map memory area: 19 x 15 cells (value + 100, row after row),
// the map flags byte, and a check sum over both, high byte first.
using InjMapArea = std::array<std::uint8_t, kInjMapAreaLength>;

inline constexpr std::size_t kInjMapFlagsOffset = 285;
inline constexpr std::size_t kInjMapChecksumOffset = 286;

// (Sum of area bytes 0..285 + 1) modulo 65536.
std::uint16_t injMapChecksum(const std::uint8_t* area);

// The check sum an area carries in its last two bytes.
std::uint16_t storedInjMapChecksum(const std::uint8_t* area);

// Area -> m_injMapTable and m_corrMap.m_flags. A short area or one whose check
// sum does not match returns false and leaves the image untouched.
bool decodeInjMap(const std::uint8_t* area, std::size_t length, DeviceSettings& settings);

// m_injMapTable and m_corrMap.m_flags -> area, check sum included.
InjMapArea encodeInjMap(const DeviceSettings& settings);

} // namespace vexor
