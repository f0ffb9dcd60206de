#pragma once

#include "settings/SettingsSchema.h"

#include <QString>

namespace vexor {

// The label of a setting (or, without one, its group) in the current
// language, as the page that edits it shows it; the settings-file key when
// the setting has neither.
QString settingLabel(const SettingInfo& info);

// A flags byte as the options it holds that differ from `other`, one line
// each ("option: On"); a bit no option names shows as its number.
QString settingFlagsText(const SettingInfo& info, unsigned value, unsigned other);

} // namespace vexor
