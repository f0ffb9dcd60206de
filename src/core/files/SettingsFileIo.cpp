#include "files/SettingsFileIo.h"

#include "files/SettingsFile.h"
#include "files/SettingsKeys.h"

#include <cmath>
#include <string_view>
#include <type_traits>

namespace {

using namespace vexor::settings_keys;

// The text of one member as it appears after the TAB.
template <class T> std::string valueText(const T& member) {
    if constexpr (std::is_same_v<T, std::string>) {
        return CSettingsFile::textForLine(member);
    } else {
        return CSettingsFile::formatNumber(static_cast<double>(member));
    }
}

// Reads members until the first missing key, which it remembers.
class CKeyReader {
public:
    explicit CKeyReader(const CSettingsFile& file) : m_file(file) {}

    template <class T> void operator()(const std::string& key, T& member) {
        if (!m_missing.empty()) {
            return;
        }
        std::string text;
        if (!m_file.readText(key, text)) {
            m_missing = key;
            return;
        }
        if constexpr (std::is_same_v<T, std::string>) {
            member = text;
        } else if constexpr (std::is_floating_point_v<T>) {
            member = CSettingsFile::parseNumber(text);
        } else {
            // Unsigned conversion keeps the low bits; the signed members are
            // 32-bit two's complement, so the same bits give the same value.
            member = static_cast<T>(vexor::settingsIntegerBits(CSettingsFile::parseNumber(text)));
        }
    }

    const std::string& missing() const { return m_missing; }

private:
    const CSettingsFile& m_file;
    std::string m_missing;
};

} // namespace

std::uint64_t vexor::settingsIntegerBits(double value) {
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

bool vexor::writeSettingsFile(const std::string& path, const DeviceSettings& settings) {
    CSettingsFile file;
    if (!file.open(path, true)) {
        return false;
    }
    bool ok = true;
    auto write = [&](const std::string& key, const auto& member) {
        using T = std::decay_t<decltype(member)>;
        if constexpr (std::is_same_v<T, std::string>) {
            ok = file.writeText(key, member) && ok;
        } else {
            ok = file.writeNumber(key, static_cast<double>(member)) && ok;
        }
    };
    allKeysInFileOrder(settings, write);
    return file.close() && ok;
}

bool vexor::readSettingsFile(const std::string& path, DeviceSettings& target,
                             std::string* missingKey) {
    if (missingKey != nullptr) {
        missingKey->clear();
    }
    CSettingsFile file;
    if (!file.open(path, false)) {
        return false;
    }
    CKeyReader read(file);
    // Section order of the load; members read before a missing key stay set.
    timeStampKeys(target, read);
    devInfoKeys(target, read);
    carInfoKeys(target, read);
    baseKeys(target, read);
    advKeys(target, read);
    mainCorrKeys(target, read);
    mapKeys(target, read);
    setupTimesKeys(target, read);
    advancedSetupKeys(target, read);
    sensorsKeys(target, read);
    if (!read.missing().empty()) {
        if (missingKey != nullptr) {
            *missingKey = read.missing();
        }
        return false;
    }
    return true;
}

std::string vexor::formatSettingsFile(const DeviceSettings& settings) {
    std::string text;
    auto line = [&](const std::string& key, const auto& member) {
        text += key;
        text += '\t';
        text += valueText(member);
        text += '\n';
    };
    allKeysInFileOrder(settings, line);
    return text;
}

void vexor::stampTime(DeviceSettings& settings, std::time_t when) {
    std::tm local{};
    char buffer[64];
    if (::localtime_r(&when, &local) == nullptr ||
        std::strftime(buffer, sizeof buffer, "%d-%m-%Y-%H:%M:%S", &local) == 0) {
        return;
    }
    settings.m_timeStamp = buffer;
}

void vexor::stampNow(DeviceSettings& settings) {
    stampTime(settings, std::time(nullptr));
}
