#include "maps/LivePoint.h"

#include "device/Diag.h"
#include "maps/MapLayout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace vexor {
namespace {

TEST(LivePointCell, speedsAndTimesOutsideTheMapLandInItsEdgeCells) {
    EXPECT_EQ(mapCellFor(400, 0.7, 0), (SCellIndex{0, 0}));
    EXPECT_EQ(mapCellFor(9000, 25, 0), (SCellIndex{18, 14}));
    EXPECT_EQ(mapColumnForRpm(999), 0);
    EXPECT_EQ(mapColumnForRpm(1000), 1);
    EXPECT_EQ(mapColumnForRpm(7499), 13);
    EXPECT_EQ(mapColumnForRpm(-3000), 0);
    EXPECT_EQ(mapRowForPetrolTime(2.0, 0), 1);
    EXPECT_EQ(mapRowForPetrolTime(1.99, 0), 0);
}

TEST(LivePointCell, aSpeedOrTimeThatIsNoFiniteNumberLandsInTheFirstCell) {
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(mapColumnForRpm(inf), 0);
    EXPECT_EQ(mapColumnForRpm(std::nan("")), 0);
    EXPECT_EQ(mapRowForPetrolTime(inf, 0), 0);
    EXPECT_EQ(mapRowForPetrolTime(1e300, 0), 18);
}

TEST(LivePointCell, halfMillisecondAxisDoublesTheTimeBeforeChoosingTheRow) {
    EXPECT_EQ(mapRowForPetrolTime(3.2, kCorrMapHalfMs), 5);
    EXPECT_EQ(mapRowForPetrolTime(3.2, 0), 2);
    // Other flag bits do not matter.
    EXPECT_EQ(mapRowForPetrolTime(3.2, 0xFE), 2);
}

TEST(LivePointOfRecord, longestPetrolChannelOfTheGasInjectorsWinsFirstOnATie) {
    CDiag record;
    record.setPetrolWord(0, 120); // 3.00 ms
    record.setPetrolWord(1, 200); // 5.00 ms
    record.setPetrolWord(2, 200); // 5.00 ms
    record.setIgnitionPeriod(1600);
    const SLivePoint p = livePointOf(record, 4);
    EXPECT_EQ(p.channel, 1);
    EXPECT_DOUBLE_EQ(p.petrolMs, 5.0);
    EXPECT_DOUBLE_EQ(p.rpm, 3000.0);
    EXPECT_EQ(mapCellFor(p.rpm, p.petrolMs, 0), (SCellIndex{4, 5}));
    EXPECT_EQ(mapColumnLabel(5), "3000");
    EXPECT_EQ(mapRowLabel(4), "6");
    EXPECT_EQ(mapRowForPetrolTime(p.petrolMs, kCorrMapHalfMs), 9);
    EXPECT_EQ(mapRowLabel(9), "11");
}

TEST(LivePointOfRecord, onlyTheChannelsOfTheConfiguredInjectorsCount) {
    CDiag record;
    record.setPetrolWord(2, 100);
    record.setPetrolWord(15, 400);
    EXPECT_DOUBLE_EQ(livePointOf(record, 1).petrolMs, 0.0);
    EXPECT_EQ(livePointOf(record, 1).channel, 0);
    EXPECT_DOUBLE_EQ(livePointOf(record, 2).petrolMs, 2.5);
    // A count beyond the record's eight injectors reads all 16 channels.
    EXPECT_DOUBLE_EQ(livePointOf(record, 40).petrolMs, 10.0);
    EXPECT_DOUBLE_EQ(livePointOf(record, -3).petrolMs, 0.0);
}

TEST(LivePointOfRecord, aStoppedEngineMarksTheFirstSpeedColumn) {
    CDiag record;
    record.setPetrolWord(0, 200);
    const SLivePoint p = livePointOf(record, 4);
    EXPECT_EQ(mapColumnForRpm(p.rpm), 0);
}

} // namespace
} // namespace vexor
