#include "maps/MapTrail.h"
#include "maps/LivePoint.h"

#include <gtest/gtest.h>

#include <cmath>

namespace vexor {
namespace {

using namespace std::chrono_literals;

TEST(MapTrail, keepsTheLastSpanOfPointsFadingAndCountsEveryVisitOfACell) {
    CMapTrail trail;
    trail.setSpan(30s);
    const auto t0 = CMapTrail::Clock::time_point{} + 1h;
    // 3250 rpm, 5.0 ms: the middle of column "3000", the top of row "6".
    trail.add(t0, 3250.0, 5.0, 0);
    ASSERT_EQ(trail.points().size(), 1u);
    EXPECT_DOUBLE_EQ(trail.points()[0].column, 5.5);
    EXPECT_DOUBLE_EQ(trail.points()[0].row, 4.0);
    EXPECT_DOUBLE_EQ(trail.freshness(trail.points()[0], t0), 1.0);
    EXPECT_DOUBLE_EQ(trail.freshness(trail.points()[0], t0 + 15s), 0.5);

    for (int i = 1; i <= 300; ++i)
        trail.add(t0 + i * 100ms, 3300.0, 5.5, 0);
    EXPECT_EQ(trail.visits({4, 5}), 301);
    EXPECT_EQ(trail.points().size(), 301u); // exactly 30 s old is still in
    trail.add(t0 + 30100ms, 9000.0, std::nan(""), kCorrMapHalfMs);
    EXPECT_EQ(trail.points().size(), 301u);
    EXPECT_EQ(trail.visits({0, 14}), 1); // beyond the map: its last column, row 0
    EXPECT_LT(trail.points().back().column, kMapColumnCount);

    // The trail fades out without live data; the visits stay.
    trail.expire(t0 + 2min);
    EXPECT_TRUE(trail.points().empty());
    EXPECT_EQ(trail.visits({4, 5}), 301);

    EXPECT_EQ(trail.heat({1, 1}), 0.0);
    EXPECT_GT(trail.heat({0, 14}), 0.0);
    EXPECT_GT(trail.heat({4, 5}), trail.heat({0, 14}));
    EXPECT_LE(trail.heat({4, 5}), 1.0);
    trail.clear();
    EXPECT_EQ(trail.visits({4, 5}), 0);
}

} // namespace
} // namespace vexor
