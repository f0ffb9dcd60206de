#include "settings/SettingsDiff.h"

#include "settings/SettingsFileIo.h"
#include "settings/SettingsSchema.h"

namespace vexor {

std::vector<SettingDifference> diffSettings(const DeviceSettings& left, const DeviceSettings& right,
                                            bool all) {
    std::vector<SettingDifference> out;
    for (const SettingInfo& info : settingsSchema()) {
        // The time stamp and the identity describe the controller or the
        // save rather than the car.
        if (!all && info.readOnly)
            continue;
        std::string a = settingFileValue(info, left);
        std::string b = settingFileValue(info, right);
        if (a != b)
            out.push_back({info.key, std::move(a), std::move(b)});
    }
    return out;
}

std::string differenceLines(const std::vector<SettingDifference>& differences) {
    std::string text;
    for (const SettingDifference& d : differences)
        text += d.key + '\t' + d.left + '\t' + d.right + '\n';
    return text;
}

} // namespace vexor
