#include "settings/SettingsCheck.h"

#include "device/codecs/BlockCodecs.h"
#include "device/codecs/ByteFields.h"
#include "files/SettingsFile.h"
#include "lang/Translate.h"
#include "platform/FileKind.h"
#include "settings/SettingsEditRead.h"
#include "settings/SettingsFileIo.h"
#include "settings/SettingsSchema.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

namespace vexor {

namespace {

constexpr double kMapCellLimit = 50.0;

// A member a load sends that holds a fraction: what the field probes try.
bool sentFraction(const SettingInfo& info) {
    return isLoadedBlock(info.block) && info.kind != SettingKind::Text && !info.integral;
}

bool isMapCell(const SettingInfo& info) {
    return info.block == SettingBlock::Map && !info.integral;
}

std::string numberText(double value) {
    return CSettingsFile::formatNumber(value);
}

std::string integerRange(const SettingInfo& info) {
    return std::to_string(static_cast<long long>(info.memberMin)) + ".." +
           std::to_string(static_cast<long long>(info.memberMax));
}

// Whether the integer part of value lies within what the member's type holds.
bool fitsInteger(const SettingInfo& info, double value) {
    if (!std::isfinite(value))
        return false;
    const double whole = std::trunc(value);
    return whole >= info.memberMin && whole <= info.memberMax;
}

// Fields that overflow when the image is encoded into every block a load sends.
int overflowsOf(const DeviceSettings& image, double slack = 1.0) {
    fields::CFieldOverflowProbe probe(slack);
    (void)encodeBase(image);
    (void)encodeAdv(image);
    (void)encodeMainCorr(image);
    (void)encodeSetupTimes(image);
    (void)encodeInjMap(image);
    (void)encodeAdvancedSetup(image);
    (void)encodeSensorsSetup(image);
    return probe.overflows();
}

// A default image with one member free to take any value (and the
// temperature sensor types of `like`, which decide how temperatures scale):
// whether that member alone overflows its field.
class CMemberProbe {
public:
    CMemberProbe(const DeviceSettings& like, const SettingInfo& info) {
        m_work.m_sensorsSetup.m_temprEngineSensor = like.m_sensorsSetup.m_temprEngineSensor;
        m_work.m_sensorsSetup.m_temprLPGSensor = like.m_sensorsSetup.m_temprLPGSensor;
        if (sentFraction(info))
            m_info = &info;
    }

    // slack: raw steps a value may lie outside its field (see the probe).
    bool fits(double value, double slack = 1.0) {
        if (m_info == nullptr)
            return true;
        const double kept = m_info->number(m_work);
        m_info->setNumber(m_work, value);
        const bool fit = overflowsOf(m_work, slack) == 0;
        m_info->setNumber(m_work, kept);
        return fit;
    }
    double start() const { return m_info != nullptr ? m_info->number(m_work) : 0.0; }

    // The range of values the field takes without pinning, found outward
    // from the default value.
    std::string range() {
        const double origin = start();
        if (!fits(origin, 0.0))
            return "?";
        return numberText(edge(origin, -1.0)) + ".." + numberText(edge(origin, 1.0));
    }

private:
    // The last value that fits when walking from origin in direction sign.
    double edge(double origin, double sign) {
        double step = 1.0;
        double inside = origin;
        double outside = origin;
        for (int i = 0; i < 80; ++i, step *= 2.0) {
            const double probe = origin + sign * step;
            if (!fits(probe, 0.0)) {
                outside = probe;
                break;
            }
            inside = probe;
            outside = inside;
        }
        if (outside == inside)
            return inside; // no end found within any sensible range
        for (int i = 0; i < 60; ++i) {
            const double middle = inside + (outside - inside) / 2.0;
            if (middle == inside || middle == outside)
                break;
            (fits(middle, 0.0) ? inside : outside) = middle;
        }
        // The fewest decimals that still fit, so that the user reads 0..6.375
        // rather than the last bits of a bisection.
        const double tolerance = 1e-6 * std::max(1.0, std::fabs(inside));
        for (int decimals = 0; decimals <= 9; ++decimals) {
            const double scale = std::pow(10.0, decimals);
            const double rounded = std::round(inside * scale) / scale;
            if (std::fabs(rounded - inside) <= tolerance && fits(rounded, 0.0))
                return rounded;
        }
        return inside;
    }

    DeviceSettings m_work;
    const SettingInfo* m_info = nullptr; // the free member of m_work
};

// Reads one member; a problem when its key is missing or its value refused.
// Members a load sends must fit their type (map cells are pinned instead).
void readChecked(const CSettingsFile& file, const SettingInfo& info, DeviceSettings& target,
                 SSettingsFileProblem& problem) {
    std::string text;
    if (!file.readText(info.key, text)) {
        problem.kind = SSettingsFileProblem::Kind::MissingKey;
        problem.key = info.key;
        return;
    }
    if (info.kind == SettingKind::Text) {
        info.setText(target, text);
        return;
    }
    const bool sent = isLoadedBlock(info.block);
    const auto holdsOf = [&] {
        return info.integral ? integerRange(info) : CMemberProbe(DeviceSettings{}, info).range();
    };
    std::string holds;
    bool refused = false;
    double value = CSettingsFile::parseNumber(text);
    if (text.find_first_not_of(" \t\r\v\f") == std::string::npos) {
        // A line cut after its TAB has no number: read as 0 it would send a
        // value nobody chose (the advanced flags: gas type and sensor bits).
        // It is as missing as a missing key.
        refused = true;
        holds = isMapCell(info) ? "-50..50" : (sent ? holdsOf() : std::string());
    } else if (isMapCell(info)) {
        value = std::isfinite(value) ? std::clamp(value, -kMapCellLimit, kMapCellLimit) : 0.0;
    } else if (sent && !info.integral && !std::isfinite(value)) {
        refused = true;
        holds = holdsOf();
    } else if (sent && info.integral && !fitsInteger(info, value)) {
        refused = true;
        holds = holdsOf();
    }
    if (!refused) {
        info.setNumber(target, value);
        return;
    }
    problem.kind = SSettingsFileProblem::Kind::BadValue;
    problem.key = info.key;
    problem.line = file.lineOf(info.key);
    problem.value = text;
    problem.holds = holds;
}

} // namespace

const char* SSettingsFileProblem::title() const {
    switch (kind) {
    case Kind::None:
        return "";
    case Kind::Unreadable:
        return "Nie można wczytać ustawień z pliku";
    case Kind::NotRegular:
    case Kind::TooLarge:
    case Kind::Binary:
    case Kind::LongLine:
        return "To nie jest plik ustawień";
    case Kind::MissingKey:
        return "Brak klucza w pliku ustawień";
    case Kind::BadValue:
        return "Nieprawidłowa wartość w pliku ustawień";
    }
    return "";
}

std::string SSettingsFileProblem::subject(const std::string& path) const {
    switch (kind) {
    case Kind::None:
        return {};
    case Kind::Binary:
    case Kind::LongLine:
        return std::to_string(line);
    case Kind::MissingKey:
    case Kind::BadValue:
        return key;
    default:
        return path;
    }
}

std::string SSettingsFileProblem::describe() const {
    switch (kind) {
    case Kind::None:
    case Kind::TooLarge:
    case Kind::Binary:
    case Kind::LongLine:
        return {};
    case Kind::Unreadable:
        return path + ": " + std::strerror(error != 0 ? error : EIO);
    case Kind::NotRegular:
        return translate(notRegularMessage()) + " " + path;
    case Kind::MissingKey:
        return translate("Brak klucza w pliku:") + " " + key;
    case Kind::BadValue: {
        std::string text = translate("Urządzenie nie przyjmie tej wartości:") + " " + key + " = " +
                           value + " (" + translate("wiersz") + " " + std::to_string(line) + ")";
        if (!holds.empty())
            text += "; " + translate("dopuszczalne:") + " " + holds;
        return text;
    }
    }
    return {};
}

std::string refusedLoadText(const char* heading, const SSettingsFileProblem& problem) {
    const std::string detail = problem.describe();
    std::string text = translate(heading);
    if (!detail.empty())
        text += "\n" + detail;
    return text;
}

bool findUnholdable(const DeviceSettings& image, std::string& key, std::string& holds) {
    if (overflowsOf(image) == 0)
        return false;
    // One member at a time from the image into a default one, so that the
    // culprit is named rather than the block.
    DeviceSettings work;
    work.m_sensorsSetup.m_temprEngineSensor = image.m_sensorsSetup.m_temprEngineSensor;
    work.m_sensorsSetup.m_temprLPGSensor = image.m_sensorsSetup.m_temprLPGSensor;
    for (const SettingInfo& info : settingsSchema()) {
        if (!sentFraction(info))
            continue;
        const double kept = info.number(work);
        info.setNumber(work, info.number(image));
        const bool fits = overflowsOf(work) == 0;
        info.setNumber(work, kept);
        if (!fits) {
            key = info.key;
            holds = CMemberProbe(image, info).range();
            return true;
        }
    }
    return false;
}

bool readSettingsFileChecked(const std::string& path, DeviceSettings& target,
                             SSettingsFileProblem& problem, SettingsFileUse use) {
    if (use == SettingsFileUse::Edit)
        return readEditableSettingsFile(path, target, problem);
    problem = {};
    CSettingsFile file;
    if (!file.open(path, false)) {
        problem.path = path;
        problem.error = file.error();
        problem.kind =
            file.foundKind() == FileKind::Regular || file.foundKind() == FileKind::Missing
                ? SSettingsFileProblem::Kind::Unreadable
                : SSettingsFileProblem::Kind::NotRegular;
        return false;
    }
    for (const SettingInfo* info : settingsReadOrder()) {
        readChecked(file, *info, target, problem);
        if (problem.kind != SSettingsFileProblem::Kind::None)
            return false;
    }

    std::string key;
    std::string holds;
    if (findUnholdable(target, key, holds)) {
        problem.kind = SSettingsFileProblem::Kind::BadValue;
        problem.key = key;
        problem.line = file.lineOf(key);
        (void)file.readText(key, problem.value);
        problem.holds = holds;
        return false;
    }
    return true;
}

} // namespace vexor
