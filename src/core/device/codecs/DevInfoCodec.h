#pragma once

#include "device/DeviceSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace vexor {

// The 16 serial-number bytes of a device-info reply, before they are turned
// into text (plain or enciphered, see serialFromDeviceBytes).
using SerialBytes = std::array<std::uint8_t, 16>;

// Production dates travel as a day count from 1 April 2004; the text is
// "%d/%m/%Y".
std::string prodDateFromDayCount(std::uint16_t days);

// Fills m_devInfo from a device-info reply, all but m_serial, whose raw bytes
// go to `serialBytes`. A payload shorter than the block changes nothing and
// returns false.
bool decodeDevInfo(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings,
                   SerialBytes& serialBytes);

// Fills m_devInfo.m_statistic; false and nothing changed on a short payload.
bool decodeStatistic(const std::uint8_t* payload, std::size_t length, DeviceSettings& settings);

} // namespace vexor
