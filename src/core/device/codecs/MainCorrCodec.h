#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

using MainCorrPayload = std::array<std::uint8_t, kMainCorrBlock.length>;

// Eight signed 16-bit counts of 0.004 ms -> m_mainCorr (two decimals). False
// and nothing changed on a short payload.
bool decodeMainCorr(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

MainCorrPayload encodeMainCorr(const DeviceSettings& settings);

} // namespace vexor
