#include "SimFixture.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

class SimFaultModes : public SimFixture {};

TEST_F(SimFaultModes, silentAlwaysForTheFirstKAndEveryNth) {
    server->faults().setSilent(SimMatch::read(0xCC));
    EXPECT_FALSE(client->read(0xCC, 0, 100ms));
    EXPECT_TRUE(client->read(0x0D)) << "other requests still answered";
    EXPECT_EQ(server->requestLog().count(SimMatch::read(0xCC)), 1u) << "silence is still logged";

    server->faults().setSilentFirst(2);
    EXPECT_FALSE(client->read(1, 0, 100ms));
    EXPECT_FALSE(client->read(1, 0, 100ms));
    EXPECT_TRUE(client->read(1));
    EXPECT_TRUE(client->read(1));

    server->faults().setSilentEvery(3, SimMatch::read(6));
    int answered = 0;
    for (int i = 0; i < 6; ++i)
        answered += client->read(6, 0, 100ms) ? 1 : 0;
    EXPECT_EQ(answered, 4);
}

TEST_F(SimFaultModes, badChecksumWrongCommandAndStatusWordHitOnlyTheirMatch) {
    server->faults().setBadChecksum(SimMatch::read(7), 1);
    auto bad = client->read(7);
    ASSERT_TRUE(bad);
    EXPECT_FALSE(bad->checksumOk);
    EXPECT_TRUE(client->read(7)->checksumOk) << "only once";

    server->faults().setWrongCommand(4, SimMatch::read(0x16));
    EXPECT_EQ(client->read(0x16)->command, 4);
    EXPECT_EQ(client->read(7)->command, 3);

    server->faults().setStatusWord(0x0011, SimMatch::cmd(3));
    auto ack = client->transact(3, std::vector<uint8_t>(28, 0));
    ASSERT_TRUE(ack);
    EXPECT_EQ(ack->payload, (std::vector<uint8_t>{4, 0, 0, 0, 0x11, 0x00}));
    EXPECT_TRUE(ack->checksumOk);

    server->faults().setAckResult(0, SimMatch::read(1));
    EXPECT_EQ(client->read(1)->payload[0], 0);

    server->faults().clear();
    EXPECT_EQ(client->read(0x16)->command, 15);
    EXPECT_EQ(client->read(1)->payload, kAccepted);
}

TEST_F(SimFaultModes, handshakeSubResultAndLiveDataWordAreConfigurable) {
    server->faults().setHandshakeSubResult(12);
    server->faults().setLiveDataWord(0x0000);
    auto hs = client->read(0xCC);
    ASSERT_TRUE(hs);
    EXPECT_EQ(hs->payload, (std::vector<uint8_t>{4, 12, 0, 0, 0, 0}));
    EXPECT_EQ(client->read(1)->payload, kAccepted) << "other acknowledges unchanged";
}

TEST_F(SimFaultModes, replyLengthOverrideCutsTheLoadMapTo187Bytes) {
    server->faults().setReplyLength(187, SimMatch::read(0x1E));
    auto map = client->read(0x1E);
    ASSERT_TRUE(map);
    EXPECT_TRUE(map->checksumOk);
    EXPECT_EQ(map->payload.size(), 187u);
    EXPECT_EQ(client->read(0x1F)->payload.size(), 188u);
}

TEST_F(SimFaultModes, delayedAndSplitRepliesArriveLateButWhole) {
    server->faults().setReplyDelay(150ms, SimMatch::read(0xCC), 1);
    auto start = Clock::now();
    auto reply = client->read(0xCC);
    ASSERT_TRUE(reply);
    EXPECT_GE(Clock::now() - start, 150ms);

    server->faults().setSplitReply(10, 200ms, SimMatch::read(6), 1);
    start = Clock::now();
    client->send(2, {6, 0, 0, 0, 0, 0});
    const std::vector<uint8_t> first = client->readBytes(88, 100ms);
    EXPECT_EQ(first.size(), 10u);
    const std::vector<uint8_t> rest = client->readBytes(78, 1000ms);
    EXPECT_EQ(rest.size(), 78u);
    EXPECT_GE(Clock::now() - start, 200ms);
}

TEST_F(SimFaultModes, hangUpOnRequestClosesTheLine) {
    server->faults().setHangUpOnRequest(2);
    EXPECT_TRUE(client->read(0xCC));
    EXPECT_FALSE(client->read(0xCC, 0, 500ms));
    EXPECT_TRUE(server->hungUp());
    EXPECT_TRUE(client->lineDropped());
}

TEST_F(SimFaultModes, hangUpFromTheTestClosesTheLineAtOnce) {
    server->hangUp();
    EXPECT_TRUE(server->hungUp());
    EXPECT_TRUE(client->readBytes(1, 500ms).empty());
    EXPECT_TRUE(client->lineDropped());
}

TEST_F(SimFaultModes, pacingTakesAtLeastTheWireTimeOfRequestAndReply) {
    server->faults().setPaceBaud(9600);
    const auto start = Clock::now();
    auto map = client->read(0x1E);
    ASSERT_TRUE(map);
    EXPECT_EQ(map->payload.size(), 188u);
    // 12 request bytes and 194 reply bytes at 10 bit times each.
    EXPECT_GE(Clock::now() - start, std::chrono::microseconds((12 + 194) * 10 * 1000000 / 9600));
}
