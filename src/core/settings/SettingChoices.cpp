#include "settings/SettingChoices.h"

#include "common/Rounding.h"
#include "device/InjPattern.h"
#include "maps/MapLayout.h"
#include "maps/MultiplierLine.h"
#include "maps/tools/MainCorrRange.h"
#include "panels/PanelPresets.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>

namespace vexor {

namespace {

using Entries = std::vector<ChoiceEntry>;

Entries texts(std::initializer_list<std::pair<const char*, double>> items) {
    Entries out;
    for (const auto& [text, value] : items)
        out.push_back({text, value, kChoiceTextPrecision});
    return out;
}

Entries range(double from, double to, double step, int precision) {
    return expandRange({from, to, step, precision});
}

Entries numbers(std::initializer_list<double> values, int precision) {
    Entries out;
    for (const double value : values)
        out.push_back({formatChoiceNumber(value, precision), value, precision});
    return out;
}

// The distinct values of one member over every entry of another list, in the
// order they first appear.
template <class F> Entries derived(const Entries& from, int precision, F valueOf) {
    Entries out;
    for (const ChoiceEntry& entry : from) {
        const double value = valueOf(entry.value);
        if (findChoice(out, value) < 0)
            out.push_back({formatChoiceNumber(value, precision), value, precision});
    }
    return out;
}

Entries injectorTypes() {
    return texts({{"MATRIX", 4},
                  {"VALTEK/RAIL-IG  - 3 OHM/H2000 - 3 OHM", 1},
                  {"REG", 2},
                  {"ZAVOLI", 6},
                  {"KEIHIN/H2000A+ 1.3 OHM/H2100 1.2 OHM", 5},
                  {"VALTEK/RAIL-IG  - 1 OHM", 9},
                  {"VALTEK/RAIL-IG  - 2 OHM/MAGICJET 2 OHM/H2000 1.9 OHM", 12},
                  {"PLANIJET", 10}});
}

Entries fuelSensors() {
    return texts({{"0-90 Ohm rosnący", 1},
                  {"0-90 Ohm malejący", 6},
                  {"50 kOhm malejący", 0},
                  {"50 kOhm rosnący", 5},
                  {"CNG Hall 5-0V", 3},
                  {"CNG Hall 0-5V", 4}});
}

DeviceSettings::SensorsSetup withFuelSensor(double type) {
    DeviceSettings::SensorsSetup sensors;
    sensors.m_fuelSensorType = 0xFF; // so that every type is applied
    (void)applyFuelSensorType(sensors, static_cast<std::uint8_t>(type));
    return sensors;
}

Entries pressureSensors(std::int32_t version) {
    Entries out = texts({{"KORVANTIS 400KPA", 1}});
    if (version >= kVersionSensor250)
        out.push_back({"KORVANTIS 250KPA", 2, kChoiceTextPrecision});
    out.push_back({"DIFFERENTIAL", 0, kChoiceTextPrecision});
    return out;
}

Entries withFirst(Entries first, const Entries& rest) {
    first.insert(first.end(), rest.begin(), rest.end());
    return first;
}

} // namespace

std::string formatChoiceNumber(double value, int precision) {
    char text[64];
    switch (precision) {
    case 1:
        std::snprintf(text, sizeof text, "%.1f", round1(value));
        break;
    case 2:
        std::snprintf(text, sizeof text, "%.2f", round2(value));
        break;
    case 3:
        std::snprintf(text, sizeof text, "%.3f", round3(value));
        break;
    default:
        std::snprintf(text, sizeof text, "%d", roundInt(value));
        break;
    }
    return text;
}

double atChoicePrecision(double value, int precision) {
    switch (precision) {
    case 0:
        return std::round(value);
    case 1:
        return round1(value);
    case 2:
        return round2(value);
    case 3:
        return round3(value);
    default:
        return value;
    }
}

int findChoice(const std::vector<ChoiceEntry>& entries, double value) {
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int p = entries[i].precision;
        if (atChoicePrecision(entries[i].value, p) == atChoicePrecision(value, p))
            return static_cast<int>(i);
    }
    return -1;
}

std::vector<ChoiceEntry> expandRange(const ChoiceRange& r) {
    Entries out;
    if (!(r.step > 0.0))
        return out;
    const double slack = r.step / 2.0;
    const double last = atChoicePrecision(r.to, r.precision);
    for (double value = r.from; value <= r.to + slack; value += r.step) {
        if (atChoicePrecision(value, r.precision) > last)
            break;
        out.push_back({formatChoiceNumber(value, r.precision), value, r.precision});
    }
    return out;
}

std::vector<ChoiceEntry> choiceEntries(Choice choice, std::int32_t version) {
    switch (choice) {
    case Choice::None:
        break;
    case Choice::SparkDivider:
        return numbers({1, 2, 3, 4, 5, 6, 8}, 0);
    case Choice::RpmLevel:
        return texts({{"5 V", 1}, {"12 V", 0}});
    case Choice::EngineType:
        return texts({{"STANDARD", 0}, {"TURBO", 1}});
    case Choice::LambdaType:
        return texts(
            {{"0 - 1 Volt", 1}, {"0.8 - 1.6 Volt", 6}, {"0 - 5 Volt", 2}, {"5 - 0 Volt", 4}});
    case Choice::InjSequence:
        return texts({{"Sekwencja", InjPatternSequential}, {"Full group", InjPatternFullGroup}});
    case Choice::InjectorType:
        return injectorTypes();
    case Choice::SwitchPressure:
        return range(0, 200, 1, 0);
    case Choice::PressureRefGas:
        return range(50, 250, 1, 0);
    case Choice::PressureSensor:
        return pressureSensors(version);
    case Choice::TemprSensor:
        return texts({{"10 kOHM", 0}, {"2.2 kOHM", 1}, {"4.7 kOHM", 2}});
    case Choice::SwitchTempr:
        return range(0, 70, 1, 0);
    case Choice::SwitchRpm:
        return range(500, 5000, 100, 0);
    case Choice::SwitchDelay:
        return range(0, 120, 1, 0);
    case Choice::EmulatorDelay:
        return range(0.0, 5.0, 0.1, 1);
    case Choice::MaxRpm:
        return range(2800, 8000, 100, 0);
    case Choice::MaxLoad:
        // The control is shown from kVersionMaxLoad on; its list is the same.
        return withFirst(numbers({0}, 0), range(5, 30, 1, 0));
    case Choice::PressAverage:
        return range(1, 40, 1, 1);
    case Choice::MinRpm:
        return range(500, 2000, 100, 0);
    case Choice::FuelSensor:
        return fuelSensors();
    case Choice::FuelLevel:
        return range(0, 255, 1, 0);
    case Choice::WarmingTime:
        return range(0, 120, 5, 0);
    case Choice::PressureRefAdv:
        return range(50, 200, 1, 0);
    case Choice::PressureGain:
        return range(0.0, 1.5, 0.1, 1);
    case Choice::CutOffPressure:
        return range(120, 250, 5, 0);
    case Choice::CutOffExitDelay:
        return range(0.0, 10.0, 0.5, 1);
    case Choice::MinLpgTime:
        return range(0.0, 6.0, 0.1, 1);
    case Choice::IgnoreTime:
        // Petrol pulses are ignored only below 2 ms.
        return range(0.0, 1.9, 0.1, 1);
    case Choice::SwitchCorr:
        return range(0, 50, 1, 0);
    case Choice::SwitchCorrTime:
        return range(20, 120, 1, 0);
    case Choice::ServiceDistance:
        return withFirst(withFirst(texts({{"Wyłączony", 0}}), numbers({500}, 0)),
                         range(1000, 50000, 1000, 0));
    case Choice::Pwm:
        return derived(injectorTypes(), 0, [](double t) { return injectorPreset(int(t)).pwm; });
    case Choice::PwmOffset:
        return derived(injectorTypes(), 1,
                       [](double t) { return injectorPreset(int(t)).pwmOffset; });
    case Choice::WarmingImpulse:
        return derived(injectorTypes(), 1,
                       [](double t) { return injectorPreset(int(t)).warmingImpulse; });
    case Choice::FuelRes:
        return derived(fuelSensors(), 0, [](double t) { return withFuelSensor(t).m_fuelRes; });
    case Choice::FuelType:
        return derived(fuelSensors(), 0, [](double t) { return withFuelSensor(t).m_fuelType; });
    case Choice::MaxRpmLow:
        return derived(range(2800, 8000, 100, 0), 0, [](double rpm) {
            DeviceSettings::Base base;
            applyMaxRpm(base, rpm);
            return base.m_maxRPMLow;
        });
    case Choice::MapCell:
        return range(kMapMinValue, kMapMaxValue, 1, 0);
    case Choice::LinePoint:
        return range(kLineMin, kLineMax, 1, 0);
    case Choice::MainCorr:
        return range(kMainCorrMin, kMainCorrMax, 0.01, 2);
    }
    return {};
}

} // namespace vexor
