#include "device/DeviceSettings.h"

#include <gtest/gtest.h>

using namespace vexor;

// The block defaults are checked byte by byte by the codec tests; these are
// the members no block carries.
TEST(DeviceSettings, defaultImageHoldsTheFactorySettingsOutsideTheBlocks) {
    const DeviceSettings s;
    EXPECT_EQ(s.m_devInfo.m_producer, "KORVANTIS");
    EXPECT_EQ(s.m_devInfo.m_injCount, 0);
    EXPECT_TRUE(s.m_timeStamp.empty());
    EXPECT_EQ(s.m_base.m_stationCode, (std::array<std::uint8_t, 4>{}));
    EXPECT_DOUBLE_EQ(s.m_injMapTable[18][14], 0.0);
    EXPECT_EQ(s.m_corrMap.m_flags, 0);
}

TEST(DeviceSettings, baseCopyForDefaultsAndLoadKeepsTheStationCodeButPlainCopyDoesNot) {
    DeviceSettings device;
    device.m_base.m_stationCode = {144, 60, 29, 96};
    device.m_base.m_switchRPM = 2500;
    DeviceSettings loaded;
    loaded.m_base.m_switchTempr = 42;
    loaded.m_base.m_stationCode = {1, 2, 3, 4};

    DeviceSettings plain = device;
    plain.m_base = loaded.m_base;
    EXPECT_EQ(plain.m_base.m_stationCode, (std::array<std::uint8_t, 4>{1, 2, 3, 4}));

    copyBaseKeepingStation(device.m_base, loaded.m_base);
    EXPECT_EQ(device.m_base.m_stationCode, (std::array<std::uint8_t, 4>{144, 60, 29, 96}));
    EXPECT_DOUBLE_EQ(device.m_base.m_switchRPM, 1200);
    EXPECT_DOUBLE_EQ(device.m_base.m_switchTempr, 42);
}
