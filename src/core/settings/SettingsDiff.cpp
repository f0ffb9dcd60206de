#include "settings/SettingsDiff.h"

#include "files/SettingsFileIo.h"

#include <string_view>

namespace vexor {

namespace {

// Calls f(key, value) for every line of a settings file's text.
template <class F> void eachLine(const std::string& text, F f) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string_view line(text.data() + start, end - start);
        const std::size_t tab = line.find('\t');
        if (tab != std::string_view::npos)
            f(line.substr(0, tab), line.substr(tab + 1));
        start = end + 1;
    }
}

} // namespace

bool isIdentityKey(const std::string& key) {
    return key == "m_timeStamp" || key.rfind("m_devInfo.", 0) == 0;
}

std::vector<SettingDifference> diffSettings(const DeviceSettings& left, const DeviceSettings& right,
                                            bool all) {
    // Both texts list the same keys in the same order, one line each.
    std::vector<std::pair<std::string_view, std::string_view>> rightLines;
    const std::string leftText = formatSettingsFile(left);
    const std::string rightText = formatSettingsFile(right);
    rightLines.reserve(420);
    eachLine(rightText, [&](std::string_view key, std::string_view value) {
        rightLines.emplace_back(key, value);
    });

    std::vector<SettingDifference> out;
    std::size_t i = 0;
    eachLine(leftText, [&](std::string_view key, std::string_view value) {
        const std::string_view other = i < rightLines.size() ? rightLines[i].second : "";
        ++i;
        if (value == other)
            return;
        std::string name(key);
        if (!all && isIdentityKey(name))
            return;
        out.push_back({std::move(name), std::string(value), std::string(other)});
    });
    return out;
}

std::string differenceLines(const std::vector<SettingDifference>& differences) {
    std::string text;
    for (const SettingDifference& d : differences)
        text += d.key + '\t' + d.left + '\t' + d.right + '\n';
    return text;
}

} // namespace vexor
