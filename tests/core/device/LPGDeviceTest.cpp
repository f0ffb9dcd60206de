#include "device/LPGDevice.h"
#include "device/LoadMap.h"
#include "device/ObdReply.h"
#include "device/ProgramImage.h"
#include "device/codecs/InjMapCodec.h"
#include "support/FakeSerialPort.h"

#include <gtest/gtest.h>

namespace vexor::test {
namespace {

std::vector<uint8_t> memoryReply(uint16_t address, const std::vector<uint8_t>& bytes) {
    std::vector<uint8_t> payload = {static_cast<uint8_t>(address),
                                    static_cast<uint8_t>(address >> 8)};
    payload.insert(payload.end(), bytes.begin(), bytes.end());
    payload.resize(34);
    return FakeSerialPort::frame(5, payload);
}

TEST(LPGDevice, memoryChunkFromAnotherAddressIsTriedAgain) {
    FakeSerialPort port;
    port.reply(memoryReply(352, {9})).stall().reply(memoryReply(320, {1, 2, 3}));
    CLPGDevice device(&port);
    CLPGDevice::MemoryChunk chunk{};
    ASSERT_TRUE(device.readMemory(320, chunk));
    EXPECT_EQ(chunk[0], 1);
    EXPECT_EQ(chunk[2], 3);

    port.reply(memoryReply(0, {}))
        .stall()
        .reply(memoryReply(0, {}))
        .stall()
        .reply(memoryReply(0, {}));
    EXPECT_FALSE(device.readMemory(576, chunk));
}

TEST(LPGDevice, mapWriteFailsWhenTheReadBackCheckSumDiffers) {
    FakeSerialPort port;
    for (int i = 0; i < 9; ++i)
        port.reply(FakeSerialPort::ack(0)).stall();
    CLPGDevice device(&port);
    const InjMapArea area = encodeInjMap(device.settings());
    std::vector<uint8_t> last(area.end() - 32, area.end());
    last[31] ^= 1;
    port.reply(memoryReply(576, last));
    EXPECT_FALSE(device.writeInjMap());

    for (int i = 0; i < 9; ++i)
        port.reply(FakeSerialPort::ack(0)).stall();
    last[31] ^= 1;
    port.reply(memoryReply(576, last));
    EXPECT_TRUE(device.writeInjMap());
}

TEST(ProgramImage, walkSkipsTheProtectedPagesAndSpendsOneStepPerPage) {
    EXPECT_EQ(programPagePlan(3), (std::vector<uint16_t>{128}));
    EXPECT_EQ(programPagePlan(4), (std::vector<uint16_t>{128, 192}));
    EXPECT_EQ(programPagePlan(64).size(), 2u); // words 0..4095 hold only two sent pages
    EXPECT_EQ(programPagePlan(0).size(), 0u);
    const auto all = programPagePlan(1 << 20);
    EXPECT_EQ(all.back(), 0xAFC0);
    for (uint16_t a : all)
        EXPECT_TRUE((a >= 128 && a < 256) || a >= 4096) << a;

    std::vector<uint8_t> image(130, 0xEE);
    uint8_t page[kProgramPageBytes];
    copyProgramPage(image.data(), image.size(), 64, page); // reaches past the image's end
    EXPECT_EQ(page[1], 0xEE);
    EXPECT_EQ(page[2], 0);
    EXPECT_EQ(page[127], 0);
}

TEST(LoadMap, decodesLittleEndianFieldsOfExactly188Bytes) {
    std::vector<uint8_t> raw(LoadMap::kPayloadLength);
    raw[4] = 0x10; // sum of bin 1
    raw[7] = 0x01;
    raw[124 + 2 * 30] = 0x34; // count of bin 30
    raw[124 + 2 * 30 + 1] = 0x12;
    raw[186] = 0xFF;
    LoadMap map;
    ASSERT_TRUE(decodeLoadMap(raw.data(), raw.size(), map));
    EXPECT_EQ(map.sums[1], 0x01000010u);
    EXPECT_EQ(map.counts[30], 0x1234);
    EXPECT_EQ(map.total, 0x00FF);
    LoadMap untouched;
    EXPECT_FALSE(decodeLoadMap(raw.data(), 187, untouched));
    EXPECT_EQ(untouched, LoadMap{});
}

TEST(ObdReply, entryCountIsClampedToTheEntriesReceived) {
    ObdReply reply;
    EXPECT_EQ(reply.entryCount(), 0u);
    reply.payload = {0xFF, 0xFF};
    EXPECT_EQ(reply.declaredEntries(), 0xFFFFu);
    EXPECT_EQ(reply.entryCount(), 0u);
    reply.payload.resize(2 + 12 * 2 + 11); // the third entry is one byte short
    EXPECT_EQ(reply.entryCount(), 2u);
    EXPECT_EQ(reply.entry(1), reply.payload.data() + 14);
    EXPECT_EQ(reply.entry(2), nullptr);
}

} // namespace
} // namespace vexor::test
