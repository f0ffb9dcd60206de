#include "SimFixture.h"

#include <cstdio>
#include <fstream>
#include <iterator>

namespace {
std::vector<uint8_t> accessCode(const char* text = "QK318207") {
    return std::vector<uint8_t>(text, text + 8);
}

std::vector<uint8_t> page(uint16_t word, uint8_t fill) {
    std::vector<uint8_t> p = {static_cast<uint8_t>(word), static_cast<uint8_t>(word >> 8)};
    for (int i = 0; i < 128; ++i)
        p.push_back(static_cast<uint8_t>(fill + i));
    return p;
}
} // namespace

class SimProgramming : public SimFixture {};

TEST_F(SimProgramming, pagesLandInTheImageAtTwiceTheirWordAddress) {
    const std::string dump = ::testing::TempDir() + "sim-image-dump.bin";
    std::remove(dump.c_str());
    controller([&](CSimController& c) {
        c.setProgrammingEndHandler([dump](const CSimController& s) { s.dumpImage(dump); });
    });

    EXPECT_EQ(client->transact(250, accessCode())->payload, kAccepted);
    EXPECT_EQ(client->transact(251, page(128, 1))->payload, kAccepted);
    EXPECT_EQ(client->transact(251, page(4096, 50))->payload, kAccepted);
    EXPECT_EQ(client->read(0x60)->payload, kAccepted);
    EXPECT_EQ(client->read(0x0A)->payload, kAccepted);

    controller([](CSimController& c) {
        EXPECT_EQ(c.programmedWordAddresses(), (std::vector<uint16_t>{128, 4096}));
        EXPECT_TRUE(c.programmingEnded());
        EXPECT_FALSE(c.programmingMode());
        const std::vector<uint8_t>& image = c.image();
        EXPECT_EQ(image[255], 0xFF); // untouched bytes stay erased
        EXPECT_EQ(image[256], 1);
        EXPECT_EQ(image[383], 128);
        EXPECT_EQ(image[8192], 50);
    });

    std::ifstream in(dump, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), 8192u + 128u);
    EXPECT_EQ(bytes[256], 1);
    EXPECT_EQ(bytes[8192 + 127], 50 + 127);
    std::remove(dump.c_str());
}

TEST_F(SimProgramming, aWrongAccessCodeAndPagesOutsideProgrammingAreRefused) {
    EXPECT_EQ(client->transact(251, page(128, 1))->payload[0], 0);
    EXPECT_EQ(client->transact(250, accessCode("QK318208"))->payload[0], 0);
    EXPECT_EQ(client->transact(251, page(128, 1))->payload[0], 0);
    EXPECT_EQ(client->read(0x60)->payload[0], 0);
    controller([](CSimController& c) {
        EXPECT_TRUE(c.programmedWordAddresses().empty());
        EXPECT_EQ(c.image()[256], 0xFF);
    });
}
