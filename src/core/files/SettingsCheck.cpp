#include "files/SettingsCheck.h"

#include "device/codecs/BlockCodecs.h"
#include "device/codecs/ByteFields.h"
#include "files/SettingsFile.h"
#include "files/SettingsFileIo.h"
#include "files/SettingsKeys.h"
#include "lang/Translate.h"
#include "platform/FileKind.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>
#include <vector>

namespace vexor {

namespace {

using namespace settings_keys;

constexpr double kMapCellLimit = 50.0;

// The groups a load sends to the controller, in file order.
template <class S, class F> void sentKeys(S& s, F& f) {
    baseKeys(s, f);
    advKeys(s, f);
    mainCorrKeys(s, f);
    sensorsKeys(s, f);
    setupTimesKeys(s, f);
    mapKeys(s, f);
    advancedSetupKeys(s, f);
}

std::string numberText(double value) {
    return CSettingsFile::formatNumber(value);
}

template <class T> std::string integerRange() {
    return std::to_string(static_cast<long long>(std::numeric_limits<T>::min())) + ".." +
           std::to_string(static_cast<long long>(std::numeric_limits<T>::max()));
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
    CMemberProbe(const DeviceSettings& like, const std::string& key) {
        m_work.m_sensorsSetup.m_temprEngineSensor = like.m_sensorsSetup.m_temprEngineSensor;
        m_work.m_sensorsSetup.m_temprLPGSensor = like.m_sensorsSetup.m_temprLPGSensor;
        auto find = [&](const std::string& k, auto& member) {
            using T = std::decay_t<decltype(member)>;
            if constexpr (std::is_floating_point_v<T>) {
                if (m_slot == nullptr && k == key)
                    m_slot = &member;
            }
        };
        sentKeys(m_work, find);
    }
    CMemberProbe(const CMemberProbe&) = delete;
    CMemberProbe& operator=(const CMemberProbe&) = delete;

    bool valid() const { return m_slot != nullptr; }
    // slack: raw steps a value may lie outside its field (see the probe).
    bool fits(double value, double slack = 1.0) {
        if (m_slot == nullptr)
            return true;
        const double kept = *m_slot;
        *m_slot = value;
        const bool fit = overflowsOf(m_work, slack) == 0;
        *m_slot = kept;
        return fit;
    }
    double start() const { return m_slot != nullptr ? *m_slot : 0.0; }

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
    double* m_slot = nullptr; // the free member, inside m_work
};

// Reads members until the first refused or missing key.
class CCheckedReader {
public:
    CCheckedReader(const CSettingsFile& file, SSettingsFileProblem& problem)
        : m_file(file), m_problem(problem) {}

    // Whether the members from now on are sent to the controller, and whether
    // they are map cells.
    void setSent(bool sent) { m_sent = sent; }
    void setMapCells(bool cells) { m_mapCells = cells; }

    template <class T> void operator()(const std::string& key, T& member) {
        if (m_problem.kind != SSettingsFileProblem::Kind::None)
            return;
        std::string text;
        if (!m_file.readText(key, text)) {
            m_problem.kind = SSettingsFileProblem::Kind::MissingKey;
            m_problem.key = key;
            return;
        }
        if constexpr (std::is_same_v<T, std::string>) {
            member = text;
        } else {
            double value = CSettingsFile::parseNumber(text);
            if constexpr (std::is_floating_point_v<T>) {
                if (m_mapCells && key.rfind("m_injMapTable", 0) == 0) {
                    value = std::isfinite(value) ? std::clamp(value, -kMapCellLimit, kMapCellLimit)
                                                 : 0.0;
                } else if (m_sent && !std::isfinite(value)) {
                    refuse(key, text, CMemberProbe(DeviceSettings{}, key).range());
                    return;
                }
                member = value;
            } else {
                if (m_sent && !fitsInteger<T>(value)) {
                    refuse(key, text, integerRange<T>());
                    return;
                }
                member = static_cast<T>(settingsIntegerBits(value));
            }
        }
    }

private:
    template <class T> static bool fitsInteger(double value) {
        if (!std::isfinite(value))
            return false;
        const double whole = std::trunc(value);
        return whole >= static_cast<double>(std::numeric_limits<T>::min()) &&
               whole <= static_cast<double>(std::numeric_limits<T>::max());
    }
    void refuse(const std::string& key, const std::string& text, const std::string& holds) {
        m_problem.kind = SSettingsFileProblem::Kind::BadValue;
        m_problem.key = key;
        m_problem.line = m_file.lineOf(key);
        m_problem.value = text;
        m_problem.holds = holds;
    }

    const CSettingsFile& m_file;
    SSettingsFileProblem& m_problem;
    bool m_sent = false;
    bool m_mapCells = false;
};

} // namespace

std::string SSettingsFileProblem::describe() const {
    switch (kind) {
    case Kind::None:
    case Kind::Unreadable:
        return {};
    case Kind::NotRegular:
        return translate(notRegularMessage());
    case Kind::MissingKey:
        return translate("Brak klucza w pliku:") + " " + key;
    case Kind::BadValue:
        return translate("Urządzenie nie przyjmie tej wartości:") + " " + key + " = " + value +
               " (" + translate("wiersz") + " " + std::to_string(line) + "); " +
               translate("dopuszczalne:") + " " + holds;
    }
    return {};
}

bool findUnholdable(const DeviceSettings& image, std::string& key, std::string& holds) {
    if (overflowsOf(image) == 0)
        return false;
    // One member at a time from the image into a default one, so that the
    // culprit is named rather than the block.
    DeviceSettings work;
    work.m_sensorsSetup.m_temprEngineSensor = image.m_sensorsSetup.m_temprEngineSensor;
    work.m_sensorsSetup.m_temprLPGSensor = image.m_sensorsSetup.m_temprLPGSensor;
    std::vector<double*> slots;
    auto collect = [&](const std::string&, auto& member) {
        if constexpr (std::is_floating_point_v<std::decay_t<decltype(member)>>)
            slots.push_back(&member);
    };
    sentKeys(work, collect);
    std::vector<double> values;
    std::vector<std::string> keys;
    auto read = [&](const std::string& k, const auto& member) {
        if constexpr (std::is_floating_point_v<std::decay_t<decltype(member)>>) {
            values.push_back(member);
            keys.push_back(k);
        }
    };
    sentKeys(image, read);

    for (std::size_t i = 0; i < slots.size() && i < values.size(); ++i) {
        const double kept = *slots[i];
        *slots[i] = values[i];
        const bool fits = overflowsOf(work) == 0;
        *slots[i] = kept;
        if (!fits) {
            key = keys[i];
            CMemberProbe probe(image, key);
            holds = probe.range();
            return true;
        }
    }
    return false;
}

bool readSettingsFileChecked(const std::string& path, DeviceSettings& target,
                             SSettingsFileProblem& problem) {
    problem = {};
    CSettingsFile file;
    if (!file.open(path, false)) {
        problem.kind =
            file.foundKind() == FileKind::Regular || file.foundKind() == FileKind::Missing
                ? SSettingsFileProblem::Kind::Unreadable
                : SSettingsFileProblem::Kind::NotRegular;
        return false;
    }
    CCheckedReader read(file, problem);
    // Section order of the load.
    timeStampKeys(target, read);
    devInfoKeys(target, read);
    carInfoKeys(target, read);
    read.setSent(true);
    baseKeys(target, read);
    advKeys(target, read);
    mainCorrKeys(target, read);
    read.setMapCells(true);
    mapKeys(target, read);
    read.setMapCells(false);
    setupTimesKeys(target, read);
    advancedSetupKeys(target, read);
    sensorsKeys(target, read);
    if (problem.kind != SSettingsFileProblem::Kind::None)
        return false;

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
