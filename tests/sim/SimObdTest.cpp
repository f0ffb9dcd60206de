#include "SimFixture.h"

using namespace std::chrono_literals;

namespace {
// An obdRequest payload (command 25, 20 bytes): three bus identifiers, the data count, data.
std::vector<uint8_t> obdRequest(std::vector<uint8_t> data) {
    std::vector<uint8_t> p = {0xE0, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 0xE0, 0x07, 0, 0};
    p.push_back(static_cast<uint8_t>(data.size()));
    p.insert(p.end(), data.begin(), data.end());
    p.resize(20, 0);
    return p;
}

// Trouble codes read back with the client's frame rules: single frame (service, count,
// codes from entry byte 7), first frame (codes in bytes 8..11), continuation (from byte 5).
std::vector<uint16_t> decodeCodes(const std::vector<uint8_t>& payload) {
    std::vector<uint16_t> codes;
    const std::size_t entries = le16(payload, 0);
    std::size_t expected = 0;
    for (std::size_t k = 0; k < entries; ++k) {
        const uint8_t* e = payload.data() + 2 + 12 * k;
        std::size_t from, most;
        if (e[4] & 0x10) {
            expected = e[7];
            from = 8;
            most = 2;
        } else if (e[4] & 0x20) {
            from = 5;
            most = std::min<std::size_t>(3, expected);
        } else {
            expected = e[6];
            from = 7;
            most = std::min<std::size_t>(2, expected);
        }
        for (std::size_t i = 0; i < most; ++i) {
            const uint16_t code =
                static_cast<uint16_t>((e[from + 2 * i] << 8) | e[from + 2 * i + 1]);
            if (code == 0)
                break;
            codes.push_back(code);
            --expected;
        }
    }
    return codes;
}
} // namespace

class SimObdComputer : public SimFixture {};

TEST_F(SimObdComputer, supportedPidsAnswerInAnEntryAfterTheSixByteHead) {
    auto reply = client->transact(25, obdRequest({1, 0x00}));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->command, 24);
    ASSERT_EQ(reply->payload.size(), 18u);
    EXPECT_EQ(reply->payload[0], 1);
    EXPECT_EQ(le32(reply->payload, 2), 0x7E8u);
    EXPECT_EQ(reply->payload[7], 0x41);
    EXPECT_EQ(reply->payload[8], 0x00);
    const uint32_t mask = (reply->payload[9] << 24) | (reply->payload[10] << 16) |
                          (reply->payload[11] << 8) | reply->payload[12];
    for (int pid : {0x06, 0x07, 0x08, 0x09, 0x0B, 0x14, 0x15, 0x18, 0x19, 0x1C})
        EXPECT_TRUE(mask & (0x80000000u >> (pid - 1))) << "PID " << pid;
    EXPECT_FALSE(mask & (0x80000000u >> (0x10 - 1)));

    controller([](CSimController& c) { c.obd().setAirFlowSensor(true); });
    const auto maf = client->transact(25, obdRequest({1, 0x00}))->payload;
    EXPECT_TRUE(maf[10] & 0x01);  // 0x10 present
    EXPECT_FALSE(maf[10] & 0x20); // 0x0B gone
}

TEST_F(SimObdComputer, severalPidsInOneRequestComeBackAsOneEntryEach) {
    std::vector<uint8_t> p = {0xDF, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 0xE0, 0x07, 0, 0, 3};
    for (uint8_t pid : {0x07, 0x14, 0x1C})
        p.insert(p.end(), {2, 1, pid, 0});
    p.push_back(0); // 14 + 4n bytes travel
    auto reply = client->transact(23, p);
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->payload[0], 3);
    ASSERT_EQ(reply->payload.size(), 6u + 36u);
    const std::vector<uint8_t>& r = reply->payload;
    EXPECT_EQ(r[8], 0x07);
    EXPECT_NEAR(r[9] * 100.0 / 128 - 100, 3.1, 1.0); // long-term trim, bank 1
    EXPECT_EQ(r[8 + 12], 0x14);
    EXPECT_LE(r[9 + 12] * 0.005, 0.9);
    EXPECT_EQ(r[8 + 24], 0x1C);
    EXPECT_EQ(r[9 + 24], 6);
}

TEST_F(SimObdComputer, twoStoredCodesTravelInOneSingleFrame) {
    controller([](CSimController& c) { c.obd().setTroubleCodes({0x0171, 0x0300}); });
    auto status = client->transact(25, obdRequest({1, 0x01}));
    ASSERT_TRUE(status);
    EXPECT_EQ(status->payload[9], 0x82); // two codes, warning lamp on

    auto reply = client->transact(25, obdRequest({3}));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->payload[0], 1);
    EXPECT_EQ(reply->payload[7], 0x43);
    EXPECT_EQ(decodeCodes(reply->payload), (std::vector<uint16_t>{0x0171, 0x0300}));
}

TEST_F(SimObdComputer, manyStoredCodesTravelAsFirstAndContinuationFrames) {
    const std::vector<uint16_t> codes = {0x0171, 0x0300, 0x0301, 0x0302, 0x0303, 0x0304};
    controller([&](CSimController& c) { c.obd().setTroubleCodes(codes); });
    auto reply = client->transact(25, obdRequest({3}));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->payload[0], 3); // first frame + 2 continuation frames
    EXPECT_EQ(reply->payload[6] & 0xF0, 0x10);
    EXPECT_EQ(reply->payload[6 + 12], 0x21);
    EXPECT_EQ(reply->payload[6 + 24], 0x22);
    EXPECT_EQ(decodeCodes(reply->payload), codes);
}

TEST_F(SimObdComputer, twentyCodesOfEveryLetterFillAFirstAndSixContinuationFrames) {
    std::vector<uint16_t> codes;
    for (const char* text :
         {"P0011", "U0100", "C0035", "B1234", "P0128", "P0171", "P0300", "P2096", "C3FFF", "B0001",
          "U3A0F", "U0001", "P0A80", "C1000", "B2000", "U0401", "P3400", "C0050", "B3999", "U0155"})
        codes.push_back(CSimObd::parseTroubleCode(text).value());
    controller([&](CSimController& c) { c.obd().setTroubleCodes(codes); });

    EXPECT_EQ(client->transact(25, obdRequest({1, 0x01}))->payload[9], 0x80 | 20);
    auto reply = client->transact(25, obdRequest({3}));
    ASSERT_TRUE(reply);
    ASSERT_EQ(reply->payload[0], 7);
    EXPECT_EQ(reply->payload.size(), 6u + 12 * 7);
    EXPECT_EQ(reply->payload[6], 0x10);       // first frame, length below 256
    EXPECT_EQ(reply->payload[7], 2 + 2 * 20); // service byte and count, then the codes
    for (int k = 1; k < 7; ++k)
        EXPECT_EQ(reply->payload[6 + 12 * k], 0x20 + k) << k;
    EXPECT_EQ(decodeCodes(reply->payload), codes);
}

TEST_F(SimObdComputer, clearingCodesAnswersService44AndEmptiesTheList) {
    controller([](CSimController& c) { c.obd().setTroubleCodes({0x0420}); });
    auto reply = client->transact(25, obdRequest({4}));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->payload[7], 0x44);
    EXPECT_TRUE(decodeCodes(client->transact(25, obdRequest({3}))->payload).empty());
    EXPECT_EQ(controller([](CSimController& c) { return c.obd().clearCount(); }), 1);
}

TEST_F(SimObdComputer, aLinkSwitchedOffOrSetToAnotherBusGetsNoEntries) {
    controller([](CSimController& c) { c.obd().setCarBus(0x18DB33F1, 2); });
    EXPECT_EQ(client->transact(25, obdRequest({1, 0}))->payload[0], 0) << "car on 29-bit CAN";

    std::vector<uint8_t> setup = {0xF1, 0x33, 0xDB, 0x18, 0x00, 0xF1, 0xDA, 0x18, 1, 2, 8, 0};
    client->transact(18, setup);
    auto reply = client->transact(25, obdRequest({1, 0}));
    EXPECT_EQ(reply->payload[0], 1);
    EXPECT_EQ(le32(reply->payload, 2), 0x18DAF110u);

    setup[8] = 0; // link off
    client->transact(18, setup);
    EXPECT_EQ(client->transact(25, obdRequest({1, 0}))->payload[0], 0);
}

TEST(SimTroubleCodes, textAndValueConvertBothWays) {
    EXPECT_EQ(CSimObd::parseTroubleCode("P0171"), 0x0171);
    EXPECT_EQ(CSimObd::parseTroubleCode("u3a0f"), 0xFA0F);
    EXPECT_FALSE(CSimObd::parseTroubleCode("P4000")); // second digit is at most 3
    EXPECT_FALSE(CSimObd::parseTroubleCode("X0171"));
    EXPECT_FALSE(CSimObd::parseTroubleCode("P017"));
    EXPECT_EQ(CSimObd::formatTroubleCode(0x4123), "C0123");
}
