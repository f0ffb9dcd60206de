#include "device/ServiceInfo.h"

#include <gtest/gtest.h>

using namespace vexor;

TEST(ServiceInfo, workTimeShowsHoursMinutesSecondsOfHalfSecondCounts) {
    EXPECT_EQ(workTimeText(0), "0 : 00 : 00");
    EXPECT_EQ(workTimeText(7323), "1 : 01 : 01"); // 3661.5 s, truncated
    EXPECT_EQ(workTimeText(2 * (100 * 3600 + 59 * 60 + 59)), "100 : 59 : 59");
    EXPECT_EQ(workTimeText(UINT32_MAX), "596523 : 14 : 07");
}

TEST(ServiceInfo, stationCodeShowsTheHighHalfFirst) {
    EXPECT_EQ(stationCodeText({0x90, 0x3C, 0x1D, 0x60}), "1D60-903C");
    EXPECT_EQ(stationCodeText({0, 0, 0xAB, 0x0F}), "AB0F-0000");
}

TEST(ServiceInfo, thousandKilometresAtTwoGasHoursFallDueAtTwentyTwoHours) {
    DeviceSettings settings;
    settings.m_devInfo.m_statistic.lpg = 14400;
    setInspection(settings, 1000);
    EXPECT_EQ(settings.m_advancedSetup.m_serviceLimit, 158400u);
    EXPECT_TRUE(settings.m_advancedSetup.m_advancedFlags & kAdvFlagInspection);
    EXPECT_EQ(inspectionHoursLeft(settings), 20);
    // Other flags are left alone.
    EXPECT_TRUE(settings.m_advancedSetup.m_advancedFlags & kAdvFlagSensor400);
}

TEST(ServiceInfo, switchingTheReminderOffClearsTheFlagAndDuesAtTheCurrentHours) {
    DeviceSettings settings;
    settings.m_advancedSetup.m_advancedFlags |= kAdvFlagInspection;
    settings.m_devInfo.m_statistic.lpg = 14400 + 7199; // still 2 whole hours
    setInspection(settings, 0);
    EXPECT_FALSE(settings.m_advancedSetup.m_advancedFlags & kAdvFlagInspection);
    EXPECT_EQ(settings.m_advancedSetup.m_serviceLimit, 14400u);
    EXPECT_EQ(inspectionHoursLeft(settings), 0);
}

TEST(ServiceInfo, hoursLeftNeverGoNegativeAndLimitStaysWithinItsCounter) {
    DeviceSettings settings;
    settings.m_advancedSetup.m_serviceLimit = 7200;
    settings.m_devInfo.m_statistic.lpg = 72000;
    EXPECT_EQ(inspectionHoursLeft(settings), 0);

    settings.m_devInfo.m_statistic.lpg = UINT32_MAX;
    setInspection(settings, 50000);
    EXPECT_EQ(settings.m_advancedSetup.m_serviceLimit, UINT32_MAX);
    EXPECT_EQ(inspectionHoursLeft(settings), 0);
}
