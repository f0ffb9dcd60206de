#include "settings/SettingsSchema.h"

#include "files/SettingsFile.h"
#include "lang/Translate.h"
#include "settings/SchemaTable.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <unordered_map>

namespace vexor {

namespace {

// A decimal number taking the whole text; false for anything else, and for
// infinities and NaN.
bool parseWholeNumber(const std::string& text, double& value) {
    if (text.empty() || text.find_first_of(" \t\r\n") != std::string::npos)
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    errno = 0;
    const double parsed = std::strtod(begin, &end);
    if (end != begin + text.size() || errno == ERANGE || !std::isfinite(parsed))
        return false;
    // Hexadecimal forms and the like are not what a fitter types.
    if (text.find_first_of("xXpP") != std::string::npos)
        return false;
    value = parsed;
    return true;
}

// Whether value is given at the precision (no more decimals than it shows).
bool atPrecision(double value, int precision) {
    if (precision < 0)
        return true;
    return std::fabs(atChoicePrecision(value, precision) - value) < 1e-9;
}

std::string describeRange(const ChoiceRange& r) {
    std::string text =
        formatChoiceNumber(r.from, r.precision) + " .. " + formatChoiceNumber(r.to, r.precision);
    if (r.step != 1.0 || r.precision > 0)
        text += " (+" + formatChoiceNumber(r.step, r.precision) + ")";
    return text;
}

std::string describeEntries(const std::vector<ChoiceEntry>& entries) {
    // Long lists of numbers read better as their ends.
    bool numbers = true;
    for (const ChoiceEntry& e : entries)
        numbers = numbers && e.precision != kChoiceTextPrecision;
    if (numbers && entries.size() > 12)
        return entries.front().text + ", " + entries[1].text + " .. " + entries.back().text;
    std::string text;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (i > 0)
            text += ", ";
        if (entries[i].precision == kChoiceTextPrecision)
            text +=
                CSettingsFile::formatNumber(entries[i].value) + " = " + translate(entries[i].text);
        else
            text += entries[i].text;
    }
    return text;
}

bool inRange(const ChoiceRange& r, double value) {
    if (value < atChoicePrecision(r.from, r.precision) - 1e-9 ||
        value > atChoicePrecision(r.to, r.precision) + 1e-9)
        return false;
    const double steps = (value - r.from) / r.step;
    return std::fabs(steps - std::round(steps)) < 1e-6;
}

} // namespace

bool fitsMember(const SettingInfo& info, double value) {
    if (!std::isfinite(value))
        return false;
    if (!info.integral)
        return true;
    return value == std::trunc(value) && value >= info.memberMin && value <= info.memberMax;
}

const std::vector<SettingInfo>& settingsSchema() {
    static const std::vector<SettingInfo> rows = buildSettingsSchema();
    return rows;
}

const SettingInfo* findSetting(const std::string& key) {
    static const std::unordered_map<std::string, const SettingInfo*> index = [] {
        std::unordered_map<std::string, const SettingInfo*> map;
        for (const SettingInfo& info : settingsSchema())
            map.emplace(info.key, &info);
        return map;
    }();
    const auto it = index.find(key);
    return it == index.end() ? nullptr : it->second;
}

const char* pageCaption(SettingPage page) {
    switch (page) {
    case SettingPage::Gasoline:
        return "Panel Petrol";
    case SettingPage::Gas:
        return "Panel Gaz";
    case SettingPage::Switch:
        return "Przełącznik";
    case SettingPage::Calibration:
        return "Kalibracja";
    case SettingPage::Map:
        return "Mapa";
    case SettingPage::Advanced:
        return "Zaawansowane";
    case SettingPage::Service:
        return "Informacje o pojeździe";
    case SettingPage::Corrections:
        return "Korekcja";
    case SettingPage::None:
        break;
    }
    return "";
}

std::vector<ChoiceEntry> settingChoices(const SettingInfo& info, std::int32_t version) {
    if (info.kind != SettingKind::Number || info.readOnly)
        return {};
    if (info.choice != Choice::None)
        return choiceEntries(info.choice, version);
    return expandRange(info.range);
}

bool setSettingFromText(const SettingInfo& info, DeviceSettings& settings, const std::string& value,
                        std::string& accepts) {
    if (info.readOnly) {
        accepts = "-";
        return false;
    }
    if (info.kind == SettingKind::Text) {
        accepts = "0 .. " + std::to_string(info.maxText) + " B";
        if (value.size() > info.maxText)
            return false;
        for (const unsigned char c : value) {
            if (c < 0x20 || c == 0x7F)
                return false;
        }
        info.setText(settings, value);
        return true;
    }
    if (info.kind == SettingKind::Flags) {
        accepts = describeRange(info.range);
        double number = 0;
        if (!parseWholeNumber(value, number) || !atPrecision(number, 0) ||
            !inRange(info.range, number))
            return false;
        info.setNumber(settings, number);
        return true;
    }
    if (info.choice == Choice::None) {
        accepts = describeRange(info.range);
        double number = 0;
        if (!parseWholeNumber(value, number) || !atPrecision(number, info.range.precision) ||
            !inRange(info.range, number))
            return false;
        info.setNumber(settings, number);
        return true;
    }

    const std::vector<ChoiceEntry> entries =
        choiceEntries(info.choice, settings.m_devInfo.m_version);
    accepts = describeEntries(entries);
    double number = 0;
    int index = -1;
    if (parseWholeNumber(value, number)) {
        index = findChoice(entries, number);
        if (index >= 0 && !atPrecision(number, entries[static_cast<std::size_t>(index)].precision))
            index = -1;
    } else {
        for (std::size_t i = 0; i < entries.size() && index < 0; ++i) {
            if (entries[i].precision == kChoiceTextPrecision && entries[i].text == value)
                index = static_cast<int>(i);
        }
    }
    if (index < 0)
        return false;
    const ChoiceEntry& entry = entries[static_cast<std::size_t>(index)];
    // The entry's own value at its precision, as the window stores it.
    info.setNumber(settings, atChoicePrecision(entry.value, entry.precision));
    return true;
}

std::string settingDisplayText(const SettingInfo& info, const DeviceSettings& settings) {
    if (info.kind == SettingKind::Text)
        return info.text(settings);
    const double value = info.number(settings);
    if (info.kind == SettingKind::Number && !info.readOnly) {
        if (info.choice == Choice::None)
            return formatChoiceNumber(value, info.range.precision);
        const auto entries = choiceEntries(info.choice, settings.m_devInfo.m_version);
        const int index = findChoice(entries, value);
        if (index >= 0)
            return entries[static_cast<std::size_t>(index)].text;
    }
    return CSettingsFile::formatNumber(value);
}

} // namespace vexor
