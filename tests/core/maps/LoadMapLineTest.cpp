#include "maps/LoadMapColumns.h"
#include "maps/MultiplierChart.h"
#include "maps/MultiplierLine.h"

#include <gtest/gtest.h>

namespace vexor {
namespace {

// A map whose bin `bin` holds `count` samples of `ms` each.
void fill(LoadMap& map, int bin, double ms, std::uint16_t count = 100) {
    const auto i = static_cast<std::size_t>(bin);
    map.sums[i] = static_cast<std::uint32_t>(ms / kLoadMapTimeStepMs * count + 0.5);
    map.counts[i] = count;
    map.total = static_cast<std::uint16_t>(map.total + count);
}

TEST(LoadMapFill, fillLevelIsTwiceTheSamplesPerMilleOfSixtyThousandAtMostFull) {
    LoadMap map;
    map.total = 30000;
    EXPECT_DOUBLE_EQ(loadMapFillPercent(map), 100.0);
    EXPECT_EQ(loadMapFillText(map), "100 %");
    map.total = 15000;
    EXPECT_EQ(loadMapFillText(map), "50 %");
    map.total = 65535;
    EXPECT_DOUBLE_EQ(loadMapFillPercent(map), 100.0);
    map.total = 0;
    EXPECT_EQ(loadMapFillText(map), "0 %");
}

TEST(LoadMapBins, differentialSensorBinsStopAt24AbsoluteSensorsUseAll) {
    // 101 - pressure(83) = 29.6 -> 30 kPa; 101 - pressure(11) = 100.2 -> 100 kPa.
    EXPECT_DOUBLE_EQ(*loadMapBinPressure(0, 0, 0), 30.0);
    EXPECT_EQ(loadMapBinColumn(0, 0, 0), 15);
    EXPECT_DOUBLE_EQ(*loadMapBinPressure(24, 0, 0), 100.0);
    EXPECT_EQ(loadMapBinColumn(24, 0, 0), 50);
    EXPECT_FALSE(loadMapBinPressure(25, 0, 0).has_value());
    // Absolute sensor: raw 11 -> 21.3 kPa, raw 76 -> 126.6 kPa; either flag.
    EXPECT_NEAR(*loadMapBinPressure(0, 0x10, 0), 21.30, 0.01);
    EXPECT_EQ(loadMapBinColumn(0, 0x10, 0), 10);
    EXPECT_EQ(loadMapBinColumn(30, 0, 0x01), 63);
    EXPECT_FALSE(loadMapBinColumn(31, 0x10, 0).has_value());
}

TEST(LoadMapColumnsBuild, eachBinEntersItsColumnElevenTimesAndCloudsDropOutliers) {
    LoadMap petrol;
    LoadMap gas;
    fill(petrol, 0, 2.5);
    fill(gas, 0, 2.75);
    CLoadMapColumns columns;
    columns.build(petrol, gas, 0, 0);
    EXPECT_EQ(columns.petrol(15).count(), 11);
    EXPECT_DOUBLE_EQ(columns.petrol(15).mean(), 2.5);
    EXPECT_EQ(columns.gas(15).count(), 11);
    EXPECT_EQ(columns.petrol(16).count(), 0);
    const auto points = columns.cloudPoints();
    ASSERT_EQ(points.size(), 22u);
    EXPECT_EQ(points.front(), (SCloudPoint{2.5, 30.0, false}));
    EXPECT_EQ(points.back(), (SCloudPoint{2.75, 30.0, true}));

    CChartColumn column;
    for (int i = 0; i < 6; ++i)
        column.add(2.0);
    column.add(4.0); // mean 2.29: 4.0 lies far outside 15 %
    EXPECT_TRUE(column.isClose(2.0));
    EXPECT_FALSE(column.isClose(4.0));
}

// Columns with the given petrol and gas means, 11 values each.
CLoadMapColumns columnsWith(std::initializer_list<std::array<double, 3>> columnPetrolGas) {
    LoadMap petrol;
    LoadMap gas;
    CLoadMapColumns columns;
    // Bins of the absolute sensor map one to one onto distinct columns; fill
    // the bin whose column is asked for.
    for (const auto& [c, p, g] : columnPetrolGas) {
        for (int bin = 0; bin < LoadMap::kBins; ++bin) {
            if (loadMapBinColumn(bin, 0x10, 0) == static_cast<int>(c)) {
                if (p > 0)
                    fill(petrol, bin, p);
                if (g > 0)
                    fill(gas, bin, g);
                break;
            }
        }
    }
    columns.build(petrol, gas, 0x10, 0);
    return columns;
}

TEST(MultiplierLineCompute, aColumnNeedsMoreThanTenValues) {
    CChartColumn ten;
    CChartColumn eleven;
    for (int i = 0; i < 10; ++i) {
        ten.add(3.0);
        eleven.add(3.0);
    }
    eleven.add(3.0);
    EXPECT_DOUBLE_EQ(lineColumnAverage(ten), 0.0);
    EXPECT_DOUBLE_EQ(lineColumnAverage(eleven), 3.0);
}

TEST(MultiplierLineCompute, bandsCollectTheGasExcessOfTheirColumns) {
    const int c1 = *loadMapBinColumn(2, 0x10, 0);
    const int c2 = *loadMapBinColumn(3, 0x10, 0);
    const auto columns = columnsWith({{double(c1), 4.2, 4.62}, {double(c2), 4.8, 5.52}});
    const LineValues bands = lineBandCorrections(columns);
    EXPECT_NEAR(bands[4], (10.0 + 15.0) / 2.0, 1e-9);
    for (int k = 0; k < kLinePoints; ++k)
        EXPECT_EQ(bands[k], k == 4 ? bands[4] : 0.0) << k;
}

TEST(MultiplierLineCompute, aColumnWithoutGasDataDoesNotDiluteItsBand) {
    const int c1 = *loadMapBinColumn(2, 0x10, 0);
    const int c2 = *loadMapBinColumn(3, 0x10, 0);
    const auto columns = columnsWith({{double(c1), 4.0, 4.4}, {double(c2), 4.5, 0.0}});
    EXPECT_NEAR(lineBandCorrections(columns)[4], 10.0, 1e-9);
}

TEST(MultiplierLineCompute, aBandAboveFiftyPercentIsLimitedBeforeSmoothing) {
    const int c = *loadMapBinColumn(2, 0x10, 0);
    const auto columns = columnsWith({{double(c), 3.0, 4.8}}); // +60 %
    EXPECT_DOUBLE_EQ(lineBandCorrections(columns)[3], 50.0);
    // One band of data: every band takes it, smoothing keeps it.
    for (double s : computeLineCorrections(columns))
        EXPECT_DOUBLE_EQ(s, 50.0);
}

TEST(MultiplierLineFill, gapsTakeTheBandAboveAndTheEdgesExtendOutwards) {
    LineValues e{};
    e[3] = 6;
    e[4] = 8;
    e[7] = 12;
    e[8] = 10;
    const LineValues f = fillLineBands(e);
    for (int k = 0; k <= 3; ++k)
        EXPECT_EQ(f[k], 6) << k;
    EXPECT_EQ(f[4], 8);
    EXPECT_EQ(f[5], 12);
    EXPECT_EQ(f[6], 12);
    EXPECT_EQ(f[7], 12);
    for (int k = 8; k < kLinePoints; ++k)
        EXPECT_EQ(f[k], 10) << k;
    const LineValues none{};
    EXPECT_EQ(fillLineBands(none), none);
}

TEST(MultiplierLineSettings, pointsAddRoundedCorrectionsAndStayWithinLimits) {
    DeviceSettings s;
    s.m_tableMask = 7;
    s.m_setupTimes1[0] = 45;
    s.m_setupTimes1[1] = -3;
    LineValues add{};
    add[0] = 10;
    add[1] = -2.5; // halves away from zero
    add[2] = 0.49;
    addLineCorrections(s, add);
    EXPECT_EQ(s.m_setupTimes1[0], 50);
    EXPECT_EQ(s.m_setupTimes1[1], -6);
    EXPECT_EQ(s.m_setupTimes1[2], 0);
    EXPECT_EQ(s.m_tableMask, 0);

    s.m_setupTimes1.fill(-50);
    s.m_setupTimes2.fill(4);
    s.m_tableMask = 3;
    incrementLine(s, false);
    EXPECT_EQ(s.m_setupTimes1[7], -50);
    EXPECT_EQ(s.m_tableMask, 0);
    incrementLine(s, true);
    EXPECT_EQ(s.m_setupTimes1[7], -49);
    EXPECT_EQ(s.m_setupTimes2[7], 4);
    clearLine(s);
    EXPECT_EQ(s.m_setupTimes1, LineValues{});
    EXPECT_EQ(s.m_setupTimes2, LineValues{});
}

TEST(MultiplierLineSettings, everyTwoDecimalFactorGivesBackItsWholePercent) {
    for (int p = -50; p <= 50; ++p)
        EXPECT_EQ(linePercent(lineFactor(p)), p) << p;
    EXPECT_EQ(linePercent(1.14), 14);
    EXPECT_EQ(linePercent(0.93), -7);
}

class Chart : public ::testing::Test {
protected:
    void SetUp() override { chart.setSize(600, 400); }
    CMultiplierChart chart;
};

TEST_F(Chart, pressNearAPointSelectsItAndADragToTheTopStopsAtOnePointFive) {
    LineValues percents{};
    percents[4] = 10;
    chart.loadPoints(percents);
    EXPECT_DOUBLE_EQ(chart.factor(4), 1.1);
    // Far from every point: nothing happens.
    EXPECT_FALSE(chart.press(chart.xOfTime(5) + 6, chart.yOfFactor(1.1)));
    EXPECT_FALSE(chart.dragging());
    EXPECT_TRUE(chart.press(chart.xOfTime(5) + 4, chart.yOfFactor(1.1) - 4));
    EXPECT_EQ(chart.selected(), 4);
    EXPECT_TRUE(chart.drag(0, 0));
    EXPECT_DOUBLE_EQ(chart.factor(4), 1.5);
    EXPECT_FALSE(chart.drag(0, -40));
    const auto action = chart.release();
    EXPECT_EQ(action.kind, CMultiplierChart::SAction::Kind::PointChanged);
    EXPECT_EQ(action.index, 4);
    EXPECT_EQ(linePercent(action.factor), 50);
    EXPECT_EQ(chart.release().kind, CMultiplierChart::SAction::Kind::None);
}

TEST_F(Chart, keysMoveTheSelectionNudgeTheFactorAndAskForAllPoints) {
    using Kind = CMultiplierChart::SAction::Kind;
    EXPECT_EQ(chart.key(CMultiplierChart::Key::Left).kind, Kind::None);
    EXPECT_EQ(chart.key(CMultiplierChart::Key::Right).kind, Kind::Repaint);
    EXPECT_EQ(chart.selected(), 1);
    LineValues percents{};
    percents[1] = -50;
    chart.loadPoints(percents);
    auto down = chart.key(CMultiplierChart::Key::Down);
    EXPECT_EQ(down.kind, Kind::PointChanged);
    EXPECT_DOUBLE_EQ(down.factor, 0.5);
    // Fourteen nudges up from 1.00 land exactly on 14 %.
    percents[1] = 0;
    chart.loadPoints(percents);
    for (int i = 0; i < 14; ++i)
        chart.key(CMultiplierChart::Key::Up);
    EXPECT_EQ(linePercent(chart.factor(1)), 14);
    const auto page = chart.key(CMultiplierChart::Key::PageDown);
    EXPECT_EQ(page.kind, Kind::IncrementAll);
    EXPECT_FALSE(page.up);
}

} // namespace
} // namespace vexor
