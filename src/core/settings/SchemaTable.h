#pragma once

#include "settings/SettingsSchema.h"

#include <vector>

namespace vexor {

// The schema's rows, built afresh (settingsSchema() keeps one copy).
std::vector<SettingInfo> buildSettingsSchema();

} // namespace vexor
