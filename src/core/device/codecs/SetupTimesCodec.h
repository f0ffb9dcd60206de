#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

using SetupTimesPayload = std::array<std::uint8_t, kSetupTimesBlock.length>;

// Bytes 0..19 m_setupTimes1 + 100, 20..39 m_setupTimes2 + 100, 40 m_tableMask.
// False and nothing changed on a short payload.
bool decodeSetupTimes(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

SetupTimesPayload encodeSetupTimes(const DeviceSettings& settings);

} // namespace vexor
