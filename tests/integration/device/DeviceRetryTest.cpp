#include "DeviceOnSim.h"

#include "device/codecs/BlockCodecs.h"

#include <chrono>

namespace vexor::test {
namespace {

using Clock = std::chrono::steady_clock;

class DeviceRetry : public DeviceOnSim {};

TEST_F(DeviceRetry, lpgSwitchSucceedsOnTheThirdTryAfterThreePauses) {
    server.faults().setSilentFirst(2, SimMatch::read(1));
    const auto started = Clock::now();
    EXPECT_TRUE(device.switchToLpg());
    EXPECT_GE(elapsedMs(started), 1500);
    EXPECT_EQ(count(SimMatch::read(1)), 3u);
}

TEST_F(DeviceRetry, threeBlockReadsGiveUpAtOnceOnAnotherBlockWhileOthersRetry) {
    server.faults().setWrongCommand(3, SimMatch::read(0x16));
    EXPECT_FALSE(device.readMainCorr());
    EXPECT_EQ(count(SimMatch::read(0x16)), 1u);

    server.faults().setWrongCommand(4, SimMatch::read(0x0C));
    EXPECT_FALSE(device.readSetupTimes());
    EXPECT_EQ(count(SimMatch::read(0x0C)), 1u);

    server.faults().setWrongCommand(4, SimMatch::read(0x0E));
    EXPECT_FALSE(device.readSensorsSetup());
    EXPECT_EQ(count(SimMatch::read(0x0E)), 1u);

    server.faults().setWrongCommand(4, SimMatch::read(7), 2);
    EXPECT_TRUE(device.readBase());
    EXPECT_EQ(count(SimMatch::read(7)), 3u);
}

TEST_F(DeviceRetry, damagedOrShortRepliesAreTriedAgainAndNeverDecoded) {
    // A short block would decode checksum and padding bytes as settings.
    const DeviceSettings before = device.settings();
    server.faults().setReplyLength(20, SimMatch::read(7));
    EXPECT_FALSE(device.readBase());
    EXPECT_EQ(count(SimMatch::read(7)), 3u);
    EXPECT_EQ(device.settings(), before);

    server.faults().clear();
    server.faults().setBadChecksum(SimMatch::read(8), 2);
    EXPECT_TRUE(device.readAdv());
    EXPECT_EQ(count(SimMatch::read(8)), 3u);
}

TEST_F(DeviceRetry, refusedAcknowledgeIsRetriedAndFailsAfterThreeTries) {
    server.faults().setAckResult(0, SimMatch::cmd(4), 2);
    EXPECT_TRUE(device.writeAdv());
    EXPECT_EQ(count(SimMatch::cmd(4)), 3u);

    server.faults().setStatusWord(0x0100, SimMatch::read(0x13));
    EXPECT_FALSE(device.commitMap());
    EXPECT_EQ(count(SimMatch::read(0x13)), 3u);
}

TEST_F(DeviceRetry, gasolineMapOf187BytesFailsAllThreeTries) {
    LoadMap map;
    map.total = 77;
    server.faults().setReplyLength(187, SimMatch::read(0x1E));
    EXPECT_FALSE(device.readGasolineMap(map));
    EXPECT_EQ(count(SimMatch::read(0x1E)), 3u);
    EXPECT_EQ(map.total, 77);

    server.faults().clear();
    // A stopped clock keeps the engine from adding samples between the reads.
    const auto frozen = Clock::now();
    sim([frozen](CSimController& c) {
        c.setClock([frozen] { return frozen; });
        c.engine().addLoadSample(false, 4, 5.0);
    });
    ASSERT_TRUE(device.readGasolineMap(map));
    LoadMap expected;
    const auto raw = sim([](CSimController& c) { return c.engine().loadMap(false); });
    ASSERT_TRUE(vexor::decodeLoadMap(raw.data(), raw.size(), expected));
    EXPECT_EQ(map.counts, expected.counts);
    EXPECT_GT(map.counts[4], 0);
}

TEST_F(DeviceRetry, handshakeReadsTheLiveDataFlagAndRejectsForeignDevicesOnce) {
    server.faults().setLiveDataWord(0x0000);
    EXPECT_TRUE(device.handshake());
    EXPECT_FALSE(device.liveDataAvailable());
    server.faults().setLiveDataWord(0x0055);
    EXPECT_TRUE(device.handshake());
    EXPECT_TRUE(device.liveDataAvailable());

    server.faults().setHandshakeSubResult(12);
    EXPECT_FALSE(device.handshake());
    EXPECT_FALSE(device.handshake());
    EXPECT_EQ(recorder.messages, std::vector<std::string>{"Brak połączenia"});
}

} // namespace
} // namespace vexor::test
