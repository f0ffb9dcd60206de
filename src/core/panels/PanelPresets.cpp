#include "panels/PanelPresets.h"

#include <array>

namespace vexor {

SInjectorPreset injectorPreset(int injectorType) {
    switch (injectorType) {
    case 2:
        return {40, 3.0, 1.0};
    case 4:
        return {40, 3.5, 1.2};
    case 5:
        return {35, 2.0, 0.5};
    case 9:
        return {35, 3.0, 1.0};
    case 12:
        return {35, 3.0, 1.5};
    default:
        return {50, 4.0, 2.0};
    }
}

void applyInjectorType(DeviceSettings::Adv& adv, std::uint8_t injectorType) {
    const SInjectorPreset preset = injectorPreset(injectorType);
    adv.m_injectorType = injectorType;
    adv.m_pwm = preset.pwm;
    adv.m_pwmOffset = preset.pwmOffset;
    adv.m_injectorWarmingImpulse = preset.warmingImpulse;
}

namespace {

struct SFuelSensor {
    std::uint8_t type;
    std::uint8_t res;
    std::uint8_t falling;
    std::array<std::uint8_t, 4> marks; // full, 3/4, half, quarter
};

constexpr std::array<SFuelSensor, 6> kFuelSensors{{
    {0, 1, 1, {45, 140, 180, 230}},
    {1, 0, 0, {128, 125, 117, 114}},
    {3, 2, 1, {70, 120, 170, 220}},
    {4, 2, 0, {220, 170, 120, 70}},
    {5, 1, 0, {230, 180, 140, 45}},
    {6, 0, 1, {114, 117, 125, 128}},
}};

} // namespace

bool applyFuelSensorType(DeviceSettings::SensorsSetup& sensors, std::uint8_t type) {
    for (const SFuelSensor& sensor : kFuelSensors) {
        if (sensor.type != type)
            continue;
        sensors.m_fuelSensorType = type;
        sensors.m_fuelRes = sensor.res;
        sensors.m_fuelType = sensor.falling;
        sensors.m_fuelFull = sensor.marks[0];
        sensors.m_fuelHgw = sensor.marks[1];
        sensors.m_fuelHalf = sensor.marks[2];
        sensors.m_fuelQuarter = sensor.marks[3];
        return true;
    }
    return false;
}

void applyMaxRpm(DeviceSettings::Base& base, double rpm) {
    base.m_maxRPMHigh = rpm;
    base.m_maxRPMLow = rpm - 1000;
    base.m_flags = withBit(base.m_flags, kBaseFlagRpmLimit, rpm != 8000);
}

void applyMinLpgRpm(DeviceSettings::AdvancedSetup& setup, double rpm) {
    setup.m_minimalLPGRPM = rpm;
    setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagMinRpm, rpm != 500);
}

int pressureSensorType(const DeviceSettings::AdvancedSetup& setup) {
    if (setup.m_advancedFlags2 & kAdvFlag2Sensor250)
        return 2;
    if (setup.m_advancedFlags & kAdvFlagSensor400)
        return 1;
    return 0;
}

void applyPressureSensorType(DeviceSettings::AdvancedSetup& setup, int type) {
    setup.m_advancedFlags = withBit(setup.m_advancedFlags, kAdvFlagSensor400, type == 1);
    setup.m_advancedFlags2 = withBit(setup.m_advancedFlags2, kAdvFlag2Sensor250, type == 2);
}

} // namespace vexor
