#include "SimCipher.h"
#include "SimFixture.h"
#include "SimFrameParser.h"

#include <thread>

using namespace std::chrono_literals;

class SimLink : public SimFixture {};

TEST_F(SimLink, handshakeAndIdentityAnswerWithTheConfiguredValues) {
    SimConfig config;
    config.version = 0x0301;
    config.serialText = "ABC1234";
    config.injectorCount = 6;
    startWith(config);

    auto hs = client->read(0xCC);
    ASSERT_TRUE(hs);
    EXPECT_TRUE(hs->checksumOk);
    EXPECT_EQ(hs->command, 2);
    EXPECT_EQ(hs->payload, (std::vector<uint8_t>{4, 13, 0x55, 0x00, 0, 0}));

    auto info = client->read(0x0D);
    ASSERT_TRUE(info);
    EXPECT_EQ(info->command, 8);
    ASSERT_EQ(info->payload.size(), 30u);
    EXPECT_EQ(le32(info->payload, 0), 5u); // OBD link flag set
    EXPECT_EQ(le16(info->payload, 10), 0x0301);
    EXPECT_EQ(std::string(info->payload.begin() + 12, info->payload.begin() + 19), "ABC1234");
    EXPECT_EQ(info->payload[27], 0); // plain text ends with a zero 16th byte
    EXPECT_EQ(info->payload[28], 6);
}

TEST_F(SimLink, encipheredSerialSendsTheConfiguredBlockAsIs) {
    SimConfig config;
    config.serialBlock = SimConfig::kFixedCipherBlock;
    startWith(config);
    auto info = client->read(0x0D);
    ASSERT_TRUE(info);
    EXPECT_TRUE(std::equal(SimConfig::kFixedCipherBlock.begin(), SimConfig::kFixedCipherBlock.end(),
                           info->payload.begin() + 12));
}

TEST(SimCipher, aSerialIsEncipheredAsTheProgramExpectsIt) {
    // Known answer of the program's own cipher for "xq001" under the
    // controllers' key; the simulator computes it on its own.
    const std::array<uint8_t, 16> expected = {0x6e, 0x21, 0xdd, 0xb1, 0x96, 0x39, 0x0b, 0xc4,
                                              0x44, 0x75, 0x08, 0xda, 0xda, 0x9d, 0x20, 0x73};
    EXPECT_EQ(simcipher::serialField("xq001"), expected);
    // Only the first 32 key characters count, and the text ends at a zero.
    EXPECT_EQ(
        simcipher::encipher(std::string("xq001\0zz", 8), std::string(simcipher::kSerialKey, 32)),
        expected);
}

TEST_F(SimLink, garbageIsSkippedAndAFrameWithAWrongChecksumGetsNoAnswer) {
    std::vector<uint8_t> bytes = {0x13, 0xAA, 0x00, 0x55};
    std::vector<uint8_t> bad = CSimTestClient::frame(2, {0xCC, 0, 0, 0, 0, 0});
    bad.back() ^= 1;
    bytes.insert(bytes.end(), bad.begin(), bad.end());
    const std::vector<uint8_t> good = CSimTestClient::frame(2, {0x0D, 0, 0, 0, 0, 0});
    bytes.insert(bytes.end(), good.begin(), good.end());
    client->writeRaw(bytes);

    auto reply = client->readFrame();
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->command, 8); // the good frame behind the bad one
    EXPECT_FALSE(client->readFrame(150ms));
    EXPECT_EQ(server->badFrameCount(), 1u);
    EXPECT_EQ(server->requestLog().size(), 1u);
}

TEST_F(SimLink, aStalledFalseStartDoesNotBlockTheNextRequest) {
    client->writeRaw({0xAA, 0x55, 0xFF, 0x02}); // announces 255 bytes that never come
    std::this_thread::sleep_for(300ms);
    auto reply = client->read(0xCC);
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload[1], 13);
}

TEST_F(SimLink, clientCanCloseAndReopenThePortAndIsStillServed) {
    ASSERT_TRUE(client->read(0xCC));
    for (int i = 0; i < 3; ++i) {
        client->close();
        client->open(server->slavePath());
        ASSERT_TRUE(client->isOpen());
        auto reply = client->read(0xCC);
        ASSERT_TRUE(reply) << "reopen " << i;
        EXPECT_TRUE(reply->checksumOk);
    }
}

TEST_F(SimLink, requestLogKeepsCommandSelectorParameterAndPayloadUntilCleared) {
    client->read(0x0B, 352);
    client->transact(3, std::vector<uint8_t>(28, 1));
    client->send(0x77, {1, 2, 3}); // unknown: logged, not answered
    ASSERT_TRUE(server->requestLog().waitFor(3, SimMatch::any(), 1s));

    const std::vector<SimRequest> log = server->requestLog().requests();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].command, 2);
    EXPECT_EQ(log[0].selector, 0x0B);
    EXPECT_EQ(log[0].parameter, 352);
    EXPECT_EQ(log[1].command, 3);
    EXPECT_EQ(log[1].selector, -1);
    EXPECT_EQ(log[1].payload.size(), 28u);
    EXPECT_EQ(log[2].payload, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(server->requestLog().count(SimMatch::read(0x0B)), 1u);
    EXPECT_EQ(server->requestLog().count(SimMatch::cmd(3)), 1u);

    server->requestLog().clear();
    EXPECT_EQ(server->requestLog().size(), 0u);
}

TEST(SimFrameParser, framesFedByteByByteOrTwoInOneChunkAreAllFound) {
    CSimFrameParser parser;
    const auto now = std::chrono::steady_clock::now();
    std::vector<uint8_t> two = CSimTestClient::frame(2, {6, 0, 0, 0, 0, 0});
    const std::vector<uint8_t> second = CSimTestClient::frame(14, {1, 2, 110, 0});
    two.insert(two.end(), second.begin(), second.end());

    for (std::size_t i = 0; i + 1 < two.size() - second.size(); ++i) {
        parser.feed(&two[i], 1, now);
        EXPECT_FALSE(parser.next(now));
    }
    parser.feed(&two[two.size() - second.size() - 1], second.size() + 1, now);
    auto a = parser.next(now);
    auto b = parser.next(now);
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->frame.selector(), 6);
    EXPECT_EQ(b->frame.command(), 14);
    EXPECT_EQ(b->frame.payload(), (std::vector<uint8_t>{1, 2, 110, 0}));
    EXPECT_FALSE(parser.pending());
}
