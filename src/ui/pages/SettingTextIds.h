#pragma once

#include "settings/SettingsSchema.h"

// Which entry of a page's text table names a settings row: the label of the
// control that edits it, or the caption of its group. The comparison and the
// job sheet name a setting exactly as the page shows it.
namespace vexor {

// The text id of the row on its page, or -1 when its page has no text for it.
int settingTextId(const SettingInfo& info);

// The text id of one bit of a flags row on the bit's page, or -1.
int settingFlagTextId(const SettingInfo& info, const SettingFlag& flag);

} // namespace vexor
