#pragma once

#include "device/DeviceSettings.h"

#include <string>
#include <vector>

// The settings in which two images differ, compared as a settings file
// writes them: both sides go through the file's number format, so values
// that a file cannot tell apart agree.
namespace vexor {

struct SettingDifference {
    std::string key;
    std::string left; // value as a settings file writes it
    std::string right;
};

// Keys in settings-file order. Unless `all`, the keys that describe the
// controller or the save rather than the car (the time stamp and every
// identity key) are left out.
std::vector<SettingDifference> diffSettings(const DeviceSettings& left, const DeviceSettings& right,
                                            bool all);

// One "KEY<TAB>LEFT<TAB>RIGHT" line per difference.
std::string differenceLines(const std::vector<SettingDifference>& differences);

} // namespace vexor
