#pragma once

#include "device/DeviceSettings.h"

#include <ctime>
#include <optional>
#include <string>

namespace vexor {

// The image the day's work started from: the oldest automatic backup of this
// controller (DATA/backups/SERIAL/YYYYMMDD-HHMMSS-REASON.xset) taken on the
// local calendar day of `when`. Every command that changes settings saves
// one before its first change, so the oldest of the day is the car as it
// came in. Nothing when no backup of that day can be read.
std::optional<DeviceSettings> dayBaseline(const std::string& dataFolder, const std::string& serial,
                                          std::time_t when);

} // namespace vexor
