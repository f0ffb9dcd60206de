#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

using AdvPayload = std::array<std::uint8_t, kAdvBlock.length>;

// Advanced block -> m_adv (the warming temperature uses the reducer sensor
// type in m_sensorsSetup). False and nothing changed on a short payload.
bool decodeAdv(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

// m_adv -> advanced block.
AdvPayload encodeAdv(const DeviceSettings& settings);

} // namespace vexor
