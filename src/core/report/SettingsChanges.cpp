#include "report/SettingsChanges.h"

#include "files/SettingsFileIo.h"

// With the settings schema the changes carry the names, units and list
// entries the window program shows; without it, the settings-file keys and
// values.
#if __has_include("settings/SettingsSchema.h")
#include "settings/SettingsSchema.h"
#define VEXOR_JOBSHEET_SCHEMA 1
#endif

#include <map>
#include <sstream>
#include <string>

namespace vexor {

#ifdef VEXOR_JOBSHEET_SCHEMA
std::vector<SJobSheetChange> settingsChanges(const DeviceSettings& before,
                                             const DeviceSettings& after) {
    std::vector<SJobSheetChange> changes;
    for (const SettingInfo& info : settingsSchema()) {
        if (info.readOnly || info.key == "m_timeStamp")
            continue;
        std::string was = settingDisplayText(info, before);
        std::string is = settingDisplayText(info, after);
        if (was == is)
            continue;
        SJobSheetChange change;
        change.label = *info.label ? info.label : info.key;
        change.group = *info.label ? info.group : "";
        change.unit = info.unit;
        change.before = std::move(was);
        change.after = std::move(is);
        change.listEntries = info.kind == SettingKind::Number && info.choice != Choice::None;
        changes.push_back(std::move(change));
    }
    return changes;
}
#else
namespace {

struct SKeyValues {
    std::vector<std::string> order;
    std::map<std::string, std::string> values;
};

SKeyValues keyValues(const DeviceSettings& settings) {
    SKeyValues kv;
    std::istringstream text(formatSettingsFile(settings));
    for (std::string line; std::getline(text, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string key = line.substr(0, tab);
        if (key == "m_timeStamp" || key.rfind("m_devInfo.", 0) == 0)
            continue;
        if (kv.values.emplace(key, line.substr(tab + 1)).second)
            kv.order.push_back(std::move(key));
    }
    return kv;
}

} // namespace

std::vector<SJobSheetChange> settingsChanges(const DeviceSettings& before,
                                             const DeviceSettings& after) {
    const SKeyValues old = keyValues(before);
    const SKeyValues now = keyValues(after);
    std::vector<SJobSheetChange> changes;
    for (const std::string& key : now.order) {
        const auto found = old.values.find(key);
        const std::string& was = found == old.values.end() ? std::string() : found->second;
        const std::string& is = now.values.at(key);
        if (was != is)
            changes.push_back({key, "", was, is, "", false});
    }
    return changes;
}
#endif

} // namespace vexor
