#include "device/codecs/InjMapCodec.h"
#include "maps/InjMapModel.h"
#include "maps/MapCellText.h"
#include "maps/MapValues.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vexor {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

// Every way into the map keeps a correction to -50..+50 and turns values
// that are no number into 0: the wire, the document and the grid.
TEST(MapRange, outOfRangeAndNonNumbersNeverReachTheWireTheDocumentOrTheGrid) {
    DeviceSettings s{};
    s.m_injMapTable[0][0] = 80;
    s.m_injMapTable[0][1] = -80;
    s.m_injMapTable[0][2] = std::nan("");
    s.m_injMapTable[0][3] = kInf;
    s.m_injMapTable[0][4] = -kInf;
    s.m_injMapTable[0][5] = 12;
    InjMapArea area = encodeInjMap(s);
    EXPECT_EQ(area[0], 150); // not 180
    EXPECT_EQ(area[1], 50);
    EXPECT_EQ(area[2], 100);
    EXPECT_EQ(area[3], 100);
    EXPECT_EQ(area[4], 100);
    EXPECT_EQ(area[5], 112);

    // A damaged block whose check sum still matches.
    area[6] = 200;
    area[7] = 3;
    const std::uint16_t sum = injMapChecksum(area.data());
    area[kInjMapChecksumOffset] = static_cast<std::uint8_t>(sum >> 8);
    area[kInjMapChecksumOffset + 1] = static_cast<std::uint8_t>(sum & 0xFF);
    DeviceSettings read{};
    ASSERT_TRUE(decodeInjMap(area.data(), area.size(), read));
    EXPECT_EQ(read.m_injMapTable[0][6], 50);
    EXPECT_EQ(read.m_injMapTable[0][7], -50);
    EXPECT_EQ(read.m_injMapTable[0][5], 12);

    CInjMapModel grid;
    grid.loadFrom(s);
    EXPECT_EQ(grid.cellText({0, 0}), "50%");
    EXPECT_EQ(grid.cellText({0, 1}), "-50%");
    EXPECT_EQ(grid.cellText({0, 3}), "0%");
    EXPECT_EQ(grid.cellBackground({0, 0}), mapValueColour(50));
    EXPECT_EQ(mapValuesOf(s)[0][4], 0);
}

} // namespace
} // namespace vexor
