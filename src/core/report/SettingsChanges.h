#pragma once

#include "device/DeviceSettings.h"
#include "report/JobSheet.h"

#include <vector>

namespace vexor {

// The settings whose saved value differs between two images, in the settings
// file's order, each value as a settings file prints it. What describes the
// controller or the save rather than the car (identity, statistics, the time
// stamp) is left out: it is no change the fitter made.
std::vector<SJobSheetChange> settingsChanges(const DeviceSettings& before,
                                             const DeviceSettings& after);

} // namespace vexor
