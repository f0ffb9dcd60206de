#include "device/Conversions.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace vexor;

TEST(Conversions, VoltSupplyAndPressureCoverTheWholeByteRange) {
    EXPECT_DOUBLE_EQ(voltFromRaw(0), 0.0);
    EXPECT_NEAR(voltFromRaw(255), 5.0, 1e-12);
    EXPECT_NEAR(supplyFromRaw(255), 30.0, 1e-12);
    EXPECT_NEAR(voltFromRaw(51), 1.0, 1e-12);

    // Below the sensor's 0.2 V offset the pressure is 0, never negative.
    EXPECT_EQ(pressureFromRaw(0), 0.0);
    EXPECT_EQ(pressureFromRaw(10), 0.0);
    EXPECT_NEAR(pressureFromRaw(255), 240.0, 1e-9);
}

TEST(Conversions, InversesRoundTripOverTheByteRange) {
    for (int raw = 0; raw <= 255; ++raw) {
        EXPECT_NEAR(rawFromVolt(voltFromRaw(raw)), raw, 1e-9);
        EXPECT_NEAR(rawFromSupply(supplyFromRaw(raw)), raw, 1e-9);
        if (pressureFromRaw(raw) > 0) {
            EXPECT_NEAR(rawFromPressure(pressureFromRaw(raw)), raw, 1e-9);
        }
    }
    EXPECT_NEAR(rawFromSupply(14.4), 122.4, 1e-9);
    EXPECT_NEAR(rawFromPressure(101), 113.22, 1e-9);
}

TEST(Conversions, ManifoldUsesTheAbsoluteSensorWhenEitherFlagIsSet) {
    const double relative = 101.0 - pressureFromRaw(100);
    EXPECT_DOUBLE_EQ(manifoldFromRaw(100, 0, 0), relative);
    EXPECT_DOUBLE_EQ(manifoldFromRaw(100, 0xEF, 0xFE), relative);

    const double absolute = (100.0 / 255.0 + 0.00842) / 0.002421;
    EXPECT_DOUBLE_EQ(manifoldFromRaw(100, 0x10, 0), absolute);
    EXPECT_DOUBLE_EQ(manifoldFromRaw(100, 0, 0x01), absolute);
    EXPECT_DOUBLE_EQ(manifoldFromRaw(100, 0x10, 0x01), absolute);
}

TEST(Conversions, TemperatureColumnsHaveTheirEndsAndFallMonotonically) {
    const int first[3] = {209, 255, 203};
    const int last[3] = {-36, -47, -41};
    for (int column = 0; column < 3; ++column) {
        EXPECT_EQ(temprFromRaw(0, column), first[column]) << column;
        EXPECT_EQ(temprFromRaw(255, column), last[column]) << column;
        for (int raw = 1; raw <= 255; ++raw)
            ASSERT_LE(temprFromRaw(raw, column), temprFromRaw(raw - 1, column))
                << "column " << column << " raw " << raw;
    }
    // Spot checks inside the columns, where a shifted row would show.
    EXPECT_EQ(temprFromRaw(127, 0), 37);
    EXPECT_EQ(temprFromRaw(8, 1), 237);
    EXPECT_EQ(temprFromRaw(181, 2), 0);
}

TEST(Conversions, TemperatureReadingsOutsideTheTableStayInsideIt) {
    EXPECT_EQ(temprFromRaw(-5, 0), 209);
    EXPECT_EQ(temprFromRaw(300, 0), -36);
    EXPECT_EQ(temprFromRaw(std::numeric_limits<double>::quiet_NaN(), 0), 209);
    // An unknown sensor type reads as the 10 kOhm sensor.
    EXPECT_EQ(temprFromRaw(127, 3), 37);
    EXPECT_EQ(temprFromRaw(127, -1), 37);
    EXPECT_EQ(rawFromTempr(37, 7), 127);
}

TEST(Conversions, RawFromTemprTakesTheFirstRawAtOrBelowTheTemperature) {
    EXPECT_EQ(rawFromTempr(37, 0), 127);
    EXPECT_EQ(rawFromTempr(-60, 0), 0); // colder than the whole column
    EXPECT_EQ(rawFromTempr(500, 0), 0);
    EXPECT_EQ(rawFromTempr(-36, 0), 255);
    EXPECT_EQ(rawFromTempr(255, 1), 0);
    EXPECT_EQ(rawFromTempr(254, 1), 8);
    EXPECT_EQ(rawFromTempr(37.5, 0), 127);
    for (int column = 0; column < 3; ++column) {
        for (int raw = 0; raw <= 255; ++raw) {
            const double t = temprFromRaw(raw, column);
            EXPECT_EQ(temprFromRaw(rawFromTempr(t, column), column), t);
        }
    }
}

TEST(Conversions, EngineSpeedAndPeriodAreInverseAndZeroSafe) {
    EXPECT_DOUBLE_EQ(rpmFromPeriod(5000), 960.0);
    EXPECT_DOUBLE_EQ(rpmFromPeriod(4000), 1200.0);
    EXPECT_DOUBLE_EQ(periodFromRpm(1200), 4000.0);
    EXPECT_EQ(rpmFromPeriod(0), 0.0);
    EXPECT_EQ(periodFromRpm(0), 0.0);
    EXPECT_TRUE(std::isfinite(rpmFromPeriod(0)));
}
