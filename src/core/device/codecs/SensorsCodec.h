#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

using SensorsPayload = std::array<std::uint8_t, kSensorsBlock.length>;

// Sensors block -> m_sensorsSetup. With a falling fuel sensor (m_fuelType 1)
// the four fuel thresholds travel bitwise inverted. False and nothing changed
// on a short payload.
bool decodeSensorsSetup(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

SensorsPayload encodeSensorsSetup(const DeviceSettings& settings);

} // namespace vexor
