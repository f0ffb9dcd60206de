#include "DeviceOnSim.h"

namespace vexor::test {
namespace {

class DeviceDemo : public DeviceOnSim {};

TEST_F(DeviceDemo, everyCommandSucceedsWithoutTrafficAndShowsTheDemoValues) {
    device.setDemo(true);
    device.settings().m_devInfo.m_injCount = 0; // would make the petrol wait poll
    const auto area = sim([](CSimController& c) { return c.mapArea(); });

    EXPECT_TRUE(device.handshake());
    EXPECT_TRUE(device.readDevInfo());
    EXPECT_TRUE(device.readStatistic());
    EXPECT_TRUE(device.readBase() && device.writeBase());
    EXPECT_TRUE(device.readAdv() && device.writeAdv());
    EXPECT_TRUE(device.readAdvancedSetup() && device.writeAdvancedSetup());
    EXPECT_TRUE(device.readMainCorr() && device.writeMainCorr());
    EXPECT_TRUE(device.readSetupTimes() && device.writeSetupTimes());
    EXPECT_TRUE(device.readSensorsSetup() && device.writeSensorsSetup());
    EXPECT_TRUE(device.readInjMap() && device.writeInjMap());
    EXPECT_TRUE(device.commitMap() && device.clearMap() && device.mapRegionOp({0, 0, 1, 1, 1, 5}));
    EXPECT_TRUE(device.writeMapCell(1, 2, 3));
    EXPECT_TRUE(device.restart() && device.restartAfterProgramming());
    EXPECT_TRUE(device.setInjectorMask(0x0F));
    CLPGDeviceErr::ErrorBytes errors{9, 9, 9, 9};
    EXPECT_TRUE(device.readErrors(errors));
    EXPECT_EQ(errors, (CLPGDeviceErr::ErrorBytes{}));
    ObdSetup setup{};
    EXPECT_TRUE(device.readObdSetup(setup));
    EXPECT_EQ(setup[8], 1);
    EXPECT_EQ(setup[9], 2);
    ObdReply reply;
    EXPECT_FALSE(device.obdRequest({}, reply));
    EXPECT_FALSE(device.obdMultiRequest({}, reply));
    EXPECT_TRUE(device.enterProgramming() && device.endProgramming());
    std::vector<uint8_t> image(0x16000);
    EXPECT_TRUE(device.programImage(image.data(), image.size(), 10000));

    const auto& info = device.settings().m_devInfo;
    EXPECT_EQ(info.m_version, 520);
    EXPECT_EQ(info.m_injCount, 8);
    EXPECT_EQ(info.m_serial, "xq001");
    EXPECT_EQ(info.m_prodDate, "21/06/2009");
    EXPECT_EQ(info.m_flags1, 5u);
    EXPECT_EQ(info.m_statistic, (DeviceSettings::Statistic{30, 45, 1}));
    EXPECT_EQ(device.settings().m_base.m_stationCode, (std::array<uint8_t, 4>{144, 60, 29, 96}));

    EXPECT_EQ(server.requestLog().size(), 0u);
    EXPECT_EQ(sim([](CSimController& c) { return c.mapArea(); }), area);
}

TEST_F(DeviceDemo, liveRecordsFollowTheDemoFuelSwitches) {
    device.setDemo(true);
    CDiag record;
    ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
    EXPECT_EQ(record.workMode(), 2);
    ASSERT_TRUE(device.switchToLpg());
    ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
    EXPECT_EQ(record.workMode(), 3);
    EXPECT_EQ(record.injectorsOnGas(), 0xFF);
    ASSERT_TRUE(device.switchToAuto());
    ASSERT_EQ(device.readDiag(record), CLPGDevice::kDiagOk);
    EXPECT_EQ(record.workMode(), 2);

    LoadMap petrol, gas;
    ASSERT_TRUE(device.readGasolineMap(petrol) && device.readLpgMap(gas));
    EXPECT_EQ(petrol.sums[3], 200000u);
    EXPECT_EQ(gas.sums[3], 224000u);
    EXPECT_EQ(petrol.counts[25], 400);
    EXPECT_EQ(petrol.counts[26], 0);
    EXPECT_EQ(gas.total, 10400);
    EXPECT_EQ(server.requestLog().size(), 0u);
}

} // namespace
} // namespace vexor::test
