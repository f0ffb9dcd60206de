#include "DeviceOnSim.h"

#include "device/ProgramImage.h"

#include <numeric>

namespace vexor::test {
namespace {

class DeviceObd : public DeviceOnSim {
protected:
    // Service `service` (and a PID when given) to the functional CAN address.
    static ObdRequest request(uint8_t service, int pid = -1) {
        ObdRequest r{};
        const uint32_t ids[3] = {0x7DF, 0x7E8, 0x7E8};
        for (int i = 0; i < 3; ++i)
            for (int b = 0; b < 4; ++b)
                r[static_cast<std::size_t>(4 * i + b)] = static_cast<uint8_t>(ids[i] >> (8 * b));
        r[12] = pid < 0 ? 1 : 2;
        r[13] = service;
        r[14] = static_cast<uint8_t>(pid < 0 ? 0 : pid);
        return r;
    }
};

TEST_F(DeviceObd, replyIsCopiedWholeAndItsEntryCountNeverExceedsThePayload) {
    ObdReply reply;
    ASSERT_TRUE(device.obdRequest(request(1, 0x00), reply));
    ASSERT_EQ(reply.entryCount(), 1u);
    EXPECT_EQ(reply.payload.size(), 18u);
    EXPECT_EQ(reply.payload[7], 0x41);
    EXPECT_EQ(reply.entry(0)[6], 0x00);

    // Seven stored codes come back as three bus frames; a cut reply keeps
    // announcing three.
    sim([](CSimController& c) {
        c.obd().setTroubleCodes({0x171, 0x300, 0x301, 0x302, 0x303, 0x304, 0x420});
    });
    ASSERT_TRUE(device.obdRequest(request(3), reply));
    EXPECT_EQ(reply.entryCount(), 3u);
    server.faults().setReplyLength(2 + 12 * 2 + 5, SimMatch::cmd(25), 1);
    ASSERT_TRUE(device.obdRequest(request(3), reply));
    EXPECT_EQ(reply.declaredEntries(), 3u);
    EXPECT_EQ(reply.entryCount(), 2u);
    EXPECT_EQ(reply.entry(2), nullptr);
    EXPECT_EQ(count(SimMatch::cmd(25)), 3u);
}

TEST_F(DeviceObd, multiRequestSendsOnlyTheItemsItHoldsAndNeverRetries) {
    ObdMultiRequest record{};
    record[12] = 2;
    ObdReply reply;
    EXPECT_TRUE(device.obdMultiRequest(record, reply));
    record[12] = 200; // more than the record holds
    server.faults().setSilent(SimMatch::cmd(23));
    EXPECT_FALSE(device.obdMultiRequest(record, reply));
    const auto sent = server.requestLog().requests(SimMatch::cmd(23));
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].payload.size(), 14u + 4 * 2);
    EXPECT_EQ(sent[1].payload.size(), 34u);
}

class DeviceProgramming : public DeviceOnSim {};

TEST_F(DeviceProgramming, imageWalkSendsOnlyTheProgrammedPagesWithProgress) {
    std::vector<uint8_t> image(0x16000);
    std::iota(image.begin(), image.end(), uint8_t{7});
    std::vector<int> progress;
    ASSERT_TRUE(device.enterProgramming());
    ASSERT_TRUE(device.programImage(image.data(), image.size(), 100000, [&](int done, int total) {
        progress.push_back(done);
        EXPECT_EQ(total, 2 + (0xB000 - 4096) / 64);
    }));
    ASSERT_TRUE(device.endProgramming());
    const auto pages = sim([](CSimController& c) { return c.programmedWordAddresses(); });
    EXPECT_EQ(pages, programPagePlan(100000));
    EXPECT_EQ(pages.front(), 128);
    EXPECT_EQ(pages[2], 4096);
    EXPECT_EQ(progress.size(), pages.size());
    EXPECT_EQ(progress.back(), static_cast<int>(pages.size()));
    const auto written = sim([](CSimController& c) { return c.image(); });
    EXPECT_TRUE(std::equal(image.begin() + 256, image.begin() + 512, written.begin() + 256));
    EXPECT_EQ(written[255], 0xFF); // below word 128: never sent
    EXPECT_TRUE(std::equal(image.begin() + 8192, image.end(), written.begin() + 8192));
}

TEST_F(DeviceProgramming, firstFailingPageEndsTheWalkAndEntryIsASingleTry) {
    server.faults().setSilentFirst(1, SimMatch::cmd(250));
    EXPECT_FALSE(device.enterProgramming());
    EXPECT_EQ(count(SimMatch::cmd(250)), 1u);

    // Not in programming mode: every page is refused.
    std::vector<uint8_t> image(300, 0x5A);
    EXPECT_FALSE(device.programImage(image.data(), image.size(), 3));
    EXPECT_EQ(count(SimMatch::cmd(251)), 3u);
    // The end is decided by the first reply.
    EXPECT_FALSE(device.endProgramming());
    EXPECT_EQ(count(SimMatch::read(0x60)), 1u);
}

} // namespace
} // namespace vexor::test
