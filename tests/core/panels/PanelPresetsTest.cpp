#include "panels/PanelPresets.h"
#include "panels/FuelGauge.h"

#include <gtest/gtest.h>

using namespace vexor;

TEST(PanelPresets, injectorTypeBringsItsDriveValuesAndUnknownTypesTakeTheCommonOnes) {
    DeviceSettings::Adv adv;
    applyInjectorType(adv, 2);
    EXPECT_EQ(adv.m_injectorType, 2);
    EXPECT_EQ(adv.m_pwm, 40);
    EXPECT_EQ(adv.m_pwmOffset, 3.0);
    EXPECT_EQ(adv.m_injectorWarmingImpulse, 1.0);
    applyInjectorType(adv, 12);
    EXPECT_EQ(adv.m_injectorWarmingImpulse, 1.5);
    applyInjectorType(adv, 10);
    EXPECT_EQ(adv.m_pwm, 50);
    EXPECT_EQ(adv.m_pwmOffset, 4.0);
    EXPECT_EQ(adv.m_injectorWarmingImpulse, 2.0);
}

TEST(PanelPresets, fuelSensorTypeSetsCharacteristicAndMarksButAnUnknownTypeChangesNothing) {
    DeviceSettings::SensorsSetup sensors;
    ASSERT_TRUE(applyFuelSensorType(sensors, 3));
    EXPECT_EQ(sensors.m_fuelSensorType, 3);
    EXPECT_EQ(sensors.m_fuelRes, 2);
    EXPECT_EQ(sensors.m_fuelType, 1);
    EXPECT_EQ(sensors.m_fuelFull, 70);
    EXPECT_EQ(sensors.m_fuelHgw, 120);
    EXPECT_EQ(sensors.m_fuelHalf, 170);
    EXPECT_EQ(sensors.m_fuelQuarter, 220);
    const DeviceSettings::SensorsSetup before = sensors;
    EXPECT_FALSE(applyFuelSensorType(sensors, 2));
    EXPECT_EQ(sensors, before);
}

TEST(PanelPresets, rpmLimitsKeepTheirCompanionMembersAndFlags) {
    DeviceSettings::Base base;
    base.m_flags = 0x90;
    applyMaxRpm(base, 6000);
    EXPECT_EQ(base.m_maxRPMLow, 5000);
    EXPECT_EQ(base.m_flags, 0x92);
    applyMaxRpm(base, 8000);
    EXPECT_EQ(base.m_maxRPMHigh, 8000);
    EXPECT_EQ(base.m_maxRPMLow, 7000);
    EXPECT_EQ(base.m_flags, 0x90);

    DeviceSettings::AdvancedSetup setup;
    applyMinLpgRpm(setup, 900);
    EXPECT_TRUE(setup.m_advancedFlags & kAdvFlagMinRpm);
    applyMinLpgRpm(setup, 500);
    EXPECT_FALSE(setup.m_advancedFlags & kAdvFlagMinRpm);
    EXPECT_EQ(setup.m_minimalLPGRPM, 500);
}

TEST(PanelPresets, pressureSensorTypeUsesOneFlagAtATimeAndThe250SensorWins) {
    DeviceSettings::AdvancedSetup setup;
    setup.m_advancedFlags = 0x10 | 0x40;
    setup.m_advancedFlags2 = 0x01;
    EXPECT_EQ(pressureSensorType(setup), 2);
    applyPressureSensorType(setup, 1);
    EXPECT_EQ(setup.m_advancedFlags, 0x50);
    EXPECT_EQ(setup.m_advancedFlags2, 0x00);
    EXPECT_EQ(pressureSensorType(setup), 1);
    applyPressureSensorType(setup, 0);
    EXPECT_EQ(setup.m_advancedFlags, 0x40);
    EXPECT_EQ(pressureSensorType(setup), 0);
    applyPressureSensorType(setup, 2);
    EXPECT_EQ(setup.m_advancedFlags2, 0x01);
    EXPECT_EQ(setup.m_advancedFlags, 0x40);
}

namespace {
const CFuelGauge::SMarks kRising{128, 125, 117, 114};
const CFuelGauge::SMarks kFalling{114, 117, 125, 128};
using Levels = std::array<std::uint32_t, 3>;
constexpr auto L = CFuelGauge::kLit;
constexpr auto D = CFuelGauge::kDark;
} // namespace

TEST(FuelGauge, levelsGoOutFromTheTopAsTheReadingFalls) {
    CFuelGauge gauge;
    gauge.evaluate(129, kRising);
    EXPECT_EQ(gauge.levels(), (Levels{L, L, L}));
    gauge.evaluate(128, kRising);
    EXPECT_EQ(gauge.levels(), (Levels{D, L, L}));
    gauge.evaluate(120, kRising);
    EXPECT_EQ(gauge.levels(), (Levels{D, D, L}));
    gauge.evaluate(115, kRising);
    EXPECT_EQ(gauge.levels(), (Levels{D, D, D}));
    EXPECT_FALSE(gauge.inReserve());
    EXPECT_EQ(gauge.reserve(), D);
}

TEST(FuelGauge, fallingSensorIsReadInvertedAndTheReserveBlinksThenGoesOut) {
    CFuelGauge gauge;
    gauge.evaluate(100, kFalling); // below the full mark of a falling sensor: full
    EXPECT_EQ(gauge.levels(), (Levels{L, L, L}));
    gauge.evaluate(200, kFalling);
    EXPECT_TRUE(gauge.inReserve());
    EXPECT_EQ(gauge.reserve(), CFuelGauge::kReserveOn);
    gauge.evaluate(200, kFalling);
    EXPECT_EQ(gauge.reserve(), D);
    gauge.evaluate(200, kFalling);
    EXPECT_EQ(gauge.reserve(), CFuelGauge::kReserveOn);
    gauge.evaluate(100, kFalling);
    EXPECT_EQ(gauge.reserve(), D);
}
