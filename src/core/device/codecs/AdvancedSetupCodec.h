#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

using AdvancedSetupPayload = std::array<std::uint8_t, kAdvancedSetupBlock.length>;

// Advanced-setup block -> m_advancedSetup. False and nothing changed on a
// short payload.
bool decodeAdvancedSetup(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

AdvancedSetupPayload encodeAdvancedSetup(const DeviceSettings& settings);

} // namespace vexor
