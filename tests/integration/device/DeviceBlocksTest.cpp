#include "DeviceOnSim.h"

#include "device/Cipher.h"
#include "device/SerialNumber.h"
#include "device/codecs/BlockCodecs.h"
#include "platform/StationCode.h"

namespace vexor::test {
namespace {

class DeviceBlocks : public DeviceOnSim {
protected:
    std::vector<uint8_t> block(uint8_t command) {
        return sim([command](CSimController& c) { return c.block(command); });
    }
};

TEST_F(DeviceBlocks, aFullReadFillsTheImageFromTheControllerBytes) {
    sim([](CSimController& c) {
        c.setMapCell(3, 4, -17);
        c.setInjectorCount(6);
    });
    ASSERT_TRUE(device.readDevInfo());
    ASSERT_TRUE(device.readStatistic());
    ASSERT_TRUE(device.readSensorsSetup());
    ASSERT_TRUE(device.readBase());
    ASSERT_TRUE(device.readAdv());
    ASSERT_TRUE(device.readMainCorr());
    ASSERT_TRUE(device.readSetupTimes());
    ASSERT_TRUE(device.readInjMap());
    ASSERT_TRUE(device.readAdvancedSetup());

    // The same bytes decoded directly, in the same order (the sensor types
    // decide how the base and advanced temperatures read).
    DeviceSettings expected;
    const auto info = sim([](CSimController& c) { return c.deviceInfo(); });
    SerialBytes serial{};
    ASSERT_TRUE(decodeDevInfo(info.data(), info.size(), expected, serial));
    expected.m_devInfo.m_serial = serialFromDeviceBytes(serial.data());
    expected.m_devInfo.m_statistic = device.settings().m_devInfo.m_statistic;
    const auto decode = [&](auto fn, uint8_t command) {
        const auto bytes = block(command);
        ASSERT_TRUE(fn(bytes.data(), bytes.size(), expected));
    };
    decode(decodeSensorsSetup, 9);
    decode(decodeBase, 3);
    decode(decodeAdv, 4);
    decode(decodeMainCorr, 15);
    decode(decodeSetupTimes, 7);
    decode(decodeAdvancedSetup, 26);
    const auto area = sim([](CSimController& c) { return c.mapArea(); });
    ASSERT_TRUE(decodeInjMap(area.data(), area.size(), expected));

    EXPECT_EQ(device.settings(), expected);
    EXPECT_EQ(device.settings().m_devInfo.m_serial, "GAS1000042");
    EXPECT_EQ(device.settings().m_devInfo.m_injCount, 6);
    EXPECT_EQ(device.settings().m_injMapTable[3][4], -17);
    EXPECT_EQ(device.fuelTitle(), "LPG");
    // Nine chunks of the map area, 320 to 576.
    const auto chunks = server.requestLog().requests(SimMatch::read(0x0B));
    ASSERT_EQ(chunks.size(), 9u);
    EXPECT_EQ(chunks.front().parameter, 320);
    EXPECT_EQ(chunks.back().parameter, 576);
}

TEST_F(DeviceBlocks, everyWriteLandsInTheControllerAsItsEncodedBlock) {
    auto& s = device.settings();
    s.m_base.m_switchRPM = 1500;
    s.m_adv.m_pwm = 8;
    s.m_advancedSetup.m_advancedFlags |= kAdvFlagCng;
    s.m_mainCorr.m_mainCorr[2] = -0.5;
    s.m_setupTimes1[5] = 12;
    s.m_sensorsSetup.m_fuelType = 1;
    s.m_injMapTable[18][14] = 50;
    s.m_injMapTable[0][0] = -50;
    s.m_corrMap.m_flags = 1;
    ASSERT_TRUE(device.writeSensorsSetup());
    ASSERT_TRUE(device.writeBase());
    ASSERT_TRUE(device.writeAdv());
    ASSERT_TRUE(device.writeMainCorr());
    ASSERT_TRUE(device.writeSetupTimes());
    ASSERT_TRUE(device.writeAdvancedSetup());
    ASSERT_TRUE(device.writeInjMap());

    auto bytes = [](const auto& payload) {
        return std::vector<uint8_t>(payload.begin(), payload.end());
    };
    std::array<uint8_t, 4> station = {1, 2, 3, 4};
    stationCode(station.data());
    EXPECT_EQ(s.m_base.m_stationCode, station);
    EXPECT_EQ(block(3), bytes(encodeBase(s)));
    const auto base = block(3);
    EXPECT_EQ(std::vector<uint8_t>(base.begin() + 24, base.end()), bytes(station));
    EXPECT_EQ(block(4), bytes(encodeAdv(s)));
    EXPECT_EQ(block(15), bytes(encodeMainCorr(s)));
    EXPECT_EQ(block(7), bytes(encodeSetupTimes(s)));
    EXPECT_EQ(block(9), bytes(encodeSensorsSetup(s)));
    EXPECT_EQ(block(26), bytes(encodeAdvancedSetup(s)));
    EXPECT_EQ(sim([](CSimController& c) { return c.mapArea(); }), bytes(encodeInjMap(s)));
    EXPECT_TRUE(sim([](CSimController& c) { return c.mapChecksumValid(); }));
}

TEST_F(DeviceBlocks, obdSetupBlocksTravelAsRawBytes) {
    ObdSetup setup{};
    for (std::size_t i = 0; i < setup.size(); ++i)
        setup[i] = static_cast<uint8_t>(0x30 + i);
    ASSERT_TRUE(device.writeObdSetup(setup));
    EXPECT_EQ(block(18), std::vector<uint8_t>(setup.begin(), setup.end()));
    ObdCorr corr{};
    sim([](CSimController& c) { c.setBlock(27, {1, 8, 25, 0x0F}); });
    ASSERT_TRUE(device.readObdCorr(corr));
    EXPECT_EQ(corr[1], 8);
    EXPECT_EQ(corr[3], 0x0F);
    corr[2] = 40;
    ASSERT_TRUE(device.writeObdCorr(corr));
    EXPECT_EQ(block(27), std::vector<uint8_t>(corr.begin(), corr.end()));
}

TEST_F(DeviceBlocks, mapAreaWithAWrongCheckSumLeavesTheMapUntouched) {
    sim([](CSimController& c) { c.setMemory(320 + 100, {0x00}); }); // check sum not updated
    device.settings().m_injMapTable[1][1] = 33;
    device.settings().m_corrMap.m_flags = 7;
    const DeviceSettings before = device.settings();
    EXPECT_FALSE(device.readInjMap());
    EXPECT_EQ(device.settings(), before);
}

TEST_F(DeviceBlocks, serialNumbersArePlainTextOrDecipheredBlocks) {
    sim([](CSimController& c) { c.setSerialText("xqz7341"); });
    ASSERT_TRUE(device.readDevInfo());
    EXPECT_EQ(device.settings().m_devInfo.m_serial, "xqz7341");

    CCipher cipher;
    const std::string block = cipher.encipher("1AB00731", kSerialKeyText);
    std::array<uint8_t, 16> raw{};
    std::copy(block.begin(), block.end(), raw.begin());
    sim([raw](CSimController& c) { c.setSerialBlock(raw); });
    ASSERT_TRUE(device.readDevInfo());
    EXPECT_EQ(device.settings().m_devInfo.m_serial, "1AB00731");
}

} // namespace
} // namespace vexor::test
