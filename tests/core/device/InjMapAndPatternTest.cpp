#include "device/InjPattern.h"
#include "device/codecs/InjMapCodec.h"

#include <gtest/gtest.h>

using namespace vexor;

TEST(InjMapCodec, cellsTravelShiftedByHundredWithFlagsAndHighByteFirstChecksum) {
    DeviceSettings s;
    s.m_injMapTable[0][1] = -50;
    s.m_injMapTable[18][14] = 50;
    s.m_corrMap.m_flags = 1;
    const auto area = encodeInjMap(s);
    EXPECT_EQ(area[0], 100);
    EXPECT_EQ(area[1], 50);
    EXPECT_EQ(area[15], 100); // row 1 starts after the 15 cells of row 0
    EXPECT_EQ(area[284], 150);
    EXPECT_EQ(area[285], 1);
    // 285 x 100 - 50 + 50 + 1 (flags) + 1
    const unsigned sum = 285 * 100 + 1 + 1;
    EXPECT_EQ(area[286], sum >> 8);
    EXPECT_EQ(area[287], sum & 0xFF);

    DeviceSettings read;
    ASSERT_TRUE(decodeInjMap(area.data(), area.size(), read));
    EXPECT_EQ(read.m_injMapTable, s.m_injMapTable);
    EXPECT_EQ(read.m_corrMap.m_flags, 1);
}

TEST(InjMapCodec, checksumWrapsAtSixteenBits) {
    InjMapArea area;
    area.fill(0xFF);
    // 286 x 255 + 1 = 72931, less 65536
    EXPECT_EQ(injMapChecksum(area.data()), 72931 - 65536);
    // Cells beyond the map's range go out as its limit, under a matching sum.
    DeviceSettings s;
    for (auto& row : s.m_injMapTable)
        row.fill(155);
    s.m_corrMap.m_flags = 0xFF;
    const auto encoded = encodeInjMap(s);
    EXPECT_EQ(encoded[0], 150);
    EXPECT_EQ(storedInjMapChecksum(encoded.data()), injMapChecksum(encoded.data()));
}

TEST(InjMapCodec, wrongChecksumIsRejectedAndLeavesTheMapUntouched) {
    DeviceSettings written;
    written.m_injMapTable[5][5] = 12;
    written.m_corrMap.m_flags = 1;
    auto area = encodeInjMap(written);
    DeviceSettings s;
    s.m_injMapTable[2][3] = -7;
    const DeviceSettings before = s;

    area[287] ^= 0x01;
    EXPECT_FALSE(decodeInjMap(area.data(), area.size(), s));
    EXPECT_EQ(s, before);

    area[287] ^= 0x01;
    area[40] += 1; // a changed cell no longer matches its sum
    EXPECT_FALSE(decodeInjMap(area.data(), area.size(), s));
    EXPECT_EQ(s, before);
}

TEST(InjPattern, onlyTheFirstInjCountBytesCountEachMaskedByTheInjectorCount) {
    // 4 injectors: mask 0x0F, the last four bytes ignored.
    EXPECT_EQ(recognizeInjPattern({0x01, 0x02, 0x04, 0x08, 0xFF, 0xFF, 0xFF, 0xFF}, 4),
              InjPatternSequential);
    EXPECT_EQ(recognizeInjPattern({0x05, 0x0A, 0, 0, 0x10, 0, 0, 0}, 4), InjPatternSemiSequential);
    EXPECT_EQ(recognizeInjPattern({0x0F, 0, 0, 0, 0, 0, 0, 0}, 4), InjPatternFullGroup);
    EXPECT_EQ(recognizeInjPattern({0x02, 0x01, 0x04, 0x08, 0, 0, 0, 0}, 4), InjPatternNone);
    // 6 injectors: mask 0x3F; 8: no mask.
    EXPECT_EQ(recognizeInjPattern({0x3F, 0, 0, 0, 0, 0, 0x99, 0x99}, 6), InjPatternFullGroup);
    EXPECT_EQ(recognizeInjPattern({0x0F, 0, 0, 0, 0, 0, 0, 0}, 8), InjPatternNone);
    EXPECT_EQ(recognizeInjPattern({0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x00}, 8),
              InjPatternNone);
    // 5 injectors: no mask, five bytes.
    EXPECT_EQ(recognizeInjPattern({0x01, 0x02, 0x04, 0x08, 0x10, 0, 0, 0}, 5),
              InjPatternSequential);
    // Identity not read yet: all eight bytes count rather than none.
    EXPECT_EQ(recognizeInjPattern({0x01, 0x02, 0x04, 0x08, 0xFF, 0xFF, 0xFF, 0xFF}, 0),
              InjPatternNone);
    EXPECT_EQ(recognizeInjPattern({0xFF, 0, 0, 0, 0, 0, 0, 0}, 0), InjPatternFullGroup);
}

TEST(InjPattern, patternForACountIsMaskedAndRecognisedAgain) {
    EXPECT_EQ(injPatternForCount(InjPatternFullGroup, 4), (InjSequence{0x0F, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(injPatternForCount(InjPatternSemiSequential, 6),
              (InjSequence{0x15, 0x2A, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(injPatternForCount(InjPatternNone, 8), injPatternBytes(InjPatternSequential));
    for (int count : {4, 5, 6, 8})
        for (InjPattern p : {InjPatternSequential, InjPatternSemiSequential, InjPatternFullGroup})
            EXPECT_EQ(recognizeInjPattern(injPatternForCount(p, count), count), p)
                << "count " << count << " pattern " << p;
}
