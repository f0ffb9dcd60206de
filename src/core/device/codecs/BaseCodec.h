#pragma once

#include "device/BlockIds.h"
#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

using BasePayload = std::array<std::uint8_t, kBaseBlock.length>;

// Base block -> m_base. The temperature fields are read with the sensor types
// already in m_sensorsSetup, so the sensors block must be read first. The
// station code is stored as received. False and nothing changed on a short
// payload.
bool decodeBase(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

// m_base -> base block. The flags go out with kBaseFlagAlwaysOn set (the image
// keeps its own value); bytes 24..27 carry m_stationCode, so the caller stores
// this computer's code in the image first.
BasePayload encodeBase(const DeviceSettings& settings);

// The cylinder switching time (m_emulatorDelay, s) as the controller holds it
// once written: whole 25 ms steps, 0 to 6.375 s. Waits that depend on the
// controller's switching time use this, never an image value from a file.
double heldEmulatorDelay(double seconds);

} // namespace vexor
