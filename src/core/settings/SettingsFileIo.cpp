#include "settings/SettingsFileIo.h"

#include "files/SettingsFile.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

namespace vexor {
namespace {

// A load reads the blocks it sends in its own order: the map and the
// multiplier line before the advanced setup, the sensors last. What comes
// before them (identity, vehicle, base, adv, main corrections) is read in
// file order. The order decides which key a short file reports missing.
int readRank(SettingBlock block) {
    switch (block) {
    case SettingBlock::Map:
        return 1;
    case SettingBlock::SetupTimes:
        return 2;
    case SettingBlock::AdvancedSetup:
        return 3;
    case SettingBlock::Sensors:
        return 4;
    default:
        return 0;
    }
}

} // namespace

const std::vector<const SettingInfo*>& settingsReadOrder() {
    static const std::vector<const SettingInfo*> rows = [] {
        std::vector<const SettingInfo*> out;
        for (const SettingInfo& info : settingsSchema())
            out.push_back(&info);
        std::stable_sort(out.begin(), out.end(), [](const SettingInfo* a, const SettingInfo* b) {
            return readRank(a->block) < readRank(b->block);
        });
        return out;
    }();
    return rows;
}

std::string settingFileValue(const SettingInfo& info, const DeviceSettings& settings) {
    if (info.kind == SettingKind::Text)
        return CSettingsFile::textForLine(info.text(settings));
    return CSettingsFile::formatNumber(info.number(settings));
}

void storeSettingText(const SettingInfo& info, DeviceSettings& target, const std::string& text) {
    if (info.kind == SettingKind::Text)
        info.setText(target, text);
    else
        // An integer member keeps the low bits of the number's integer part.
        info.setNumber(target, CSettingsFile::parseNumber(text));
}

std::uint64_t settingsIntegerBits(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    // Integer part, reduced modulo 2^64 so that the conversion is defined for
    // any value; only the low bits matter to the caller.
    const double whole = std::fmod(std::trunc(value), 18446744073709551616.0);
    if (whole < 0) {
        return 0 - static_cast<std::uint64_t>(-whole);
    }
    return static_cast<std::uint64_t>(whole);
}

bool writeSettingsFile(const std::string& path, const DeviceSettings& settings) {
    CSettingsFile file;
    if (!file.open(path, true)) {
        errno = file.error();
        return false;
    }
    bool ok = true;
    for (const SettingInfo& info : settingsSchema()) {
        if (info.kind == SettingKind::Text) {
            ok = file.writeText(info.key, info.text(settings)) && ok;
        } else {
            ok = file.writeNumber(info.key, info.number(settings)) && ok;
        }
    }
    if (!file.close() || !ok) {
        errno = file.error() != 0 ? file.error() : EIO;
        return false;
    }
    return true;
}

bool readSettingsFile(const std::string& path, DeviceSettings& target, std::string* missingKey) {
    if (missingKey != nullptr) {
        missingKey->clear();
    }
    CSettingsFile file;
    if (!file.open(path, false)) {
        return false;
    }
    // Members read before a missing key stay set.
    for (const SettingInfo* info : settingsReadOrder()) {
        std::string text;
        if (!file.readText(info->key, text)) {
            if (missingKey != nullptr) {
                *missingKey = info->key;
            }
            return false;
        }
        storeSettingText(*info, target, text);
    }
    return true;
}

std::string formatSettingsFile(const DeviceSettings& settings) {
    std::string text;
    for (const SettingInfo& info : settingsSchema()) {
        text += info.key;
        text += '\t';
        text += settingFileValue(info, settings);
        text += '\n';
    }
    return text;
}

void stampTime(DeviceSettings& settings, std::time_t when) {
    std::tm local{};
    char buffer[64];
    if (::localtime_r(&when, &local) == nullptr ||
        std::strftime(buffer, sizeof buffer, "%d-%m-%Y-%H:%M:%S", &local) == 0) {
        return;
    }
    settings.m_timeStamp = buffer;
}

void stampNow(DeviceSettings& settings) {
    stampTime(settings, std::time(nullptr));
}

} // namespace vexor
