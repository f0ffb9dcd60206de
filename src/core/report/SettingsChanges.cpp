#include "report/SettingsChanges.h"

#include "files/SettingsFileIo.h"

#include <map>
#include <sstream>
#include <string>

namespace vexor {

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
            changes.push_back({key, "", was, is});
    }
    return changes;
}

} // namespace vexor
