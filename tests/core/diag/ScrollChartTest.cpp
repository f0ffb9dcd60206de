#include "diag/ScrollChartModel.h"

#include <gtest/gtest.h>

namespace {

using Scroll = CScrollChartModel::Scroll;

// Two series fed like the oscilloscope feeds its traces: one sample each at
// x = 0, 5, 10, ...
class ScrollChart : public ::testing::Test {
protected:
    void SetUp() override {
        chart.addSeries(0, 0x000040);
        chart.addSeries(1, 0x0000FF);
    }
    void feed(int samples) {
        for (int i = 0; i < samples; ++i) {
            chart.addPoint(0, x, 50.0f);
            chart.addPoint(1, x, 25.0f);
            x += 5.0f;
        }
    }
    float lastX() const { return x - 5.0f; }

    CScrollChartModel chart;
    float x = 0.0f;
};

} // namespace

TEST_F(ScrollChart, valuesAreClampedToTheVerticalRangeTheFirstOneToo) {
    EXPECT_TRUE(chart.addPoint(0, 0.0f, 120.0f));
    EXPECT_TRUE(chart.addPoint(0, 5.0f, -4.0f));
    EXPECT_TRUE(chart.addPoint(0, 10.0f, 90.0f));
    EXPECT_FALSE(chart.addPoint(7, 0.0f, 1.0f));
    const auto points = chart.visiblePoints(0);
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].second, 100.0f);
    EXPECT_EQ(points[1].second, 0.0f);
    EXPECT_EQ(points[2].second, 90.0f);
    chart.addPoint(0, 5.0f, 7.0f); // same x: replaced
    EXPECT_EQ(chart.visiblePoints(0)[1].second, 7.0f);
}

TEST_F(ScrollChart, theWindowFollowsTheNewestPointAtNineTenthsOfItsWidth) {
    feed(181); // up to x = 900
    EXPECT_EQ(chart.origin(), 0.0f);
    feed(100);
    EXPECT_FLOAT_EQ(chart.origin(), lastX() - 900.0f);
    EXPECT_FLOAT_EQ(chart.maxX(), lastX() + 100.0f);
    const auto bar = chart.scrollBar();
    EXPECT_NEAR(bar.position + bar.page, CScrollChartModel::kScrollRange, 1);

    // Scrolling back while following moves by one percent of the width, not
    // to the start of the data.
    const float before = chart.origin();
    chart.scroll(Scroll::LineLeft);
    EXPECT_FLOAT_EQ(chart.origin(), before - 10.0f);
    // Out of view the window stays put and the extent grows instead.
    chart.scroll(Scroll::PageLeft);
    const float parked = chart.origin();
    feed(50);
    EXPECT_EQ(chart.origin(), parked);
    EXPECT_GE(chart.maxX(), lastX());
    EXPECT_LE(chart.maxX(), lastX() + 100.0f);
}

TEST_F(ScrollChart, scrollingStaysInsideTheDataExtent) {
    feed(1000); // up to x = 4995
    chart.scroll(Scroll::Track, 0);
    EXPECT_EQ(chart.origin(), 0.0f);
    chart.scroll(Scroll::LineLeft); // below 1: nothing
    EXPECT_EQ(chart.origin(), 0.0f);
    chart.scroll(Scroll::LineRight);
    EXPECT_FLOAT_EQ(chart.origin(), 10.0f);
    chart.scroll(Scroll::PageLeft); // not below 0
    EXPECT_EQ(chart.origin(), 0.0f);
    chart.scroll(Scroll::PageRight);
    EXPECT_FLOAT_EQ(chart.origin(), 500.0f);
    chart.scroll(Scroll::Track, 1000);
    EXPECT_FLOAT_EQ(chart.origin(), chart.maxX() - chart.width());
    chart.scroll(Scroll::PageRight);
    EXPECT_FLOAT_EQ(chart.origin(), chart.maxX() - chart.width());
    const float at = chart.origin();
    chart.scroll(Scroll::Other);
    EXPECT_EQ(chart.origin(), at);
}

TEST_F(ScrollChart, pastTheLimitTheOldestPointsGoAndTheMinimumFollows) {
    chart.setMaxPoints(10000);
    feed(10000);
    EXPECT_EQ(chart.minX(), 0.0f);
    chart.addPoint(0, x, 1.0f); // series 0 now holds 10001: its first goes
    EXPECT_EQ(chart.series(0)->points.size(), 10000u);
    EXPECT_EQ(chart.series(0)->points.begin()->first, 5.0f);
    EXPECT_EQ(chart.minX(), 0.0f); // series 1 still starts at 0
    chart.addPoint(1, x, 1.0f);
    EXPECT_EQ(chart.minX(), 5.0f);

    // A lower limit trims at once.
    EXPECT_EQ(chart.setMaxPoints(100), 10000u);
    EXPECT_EQ(chart.series(1)->points.size(), 100u);
    EXPECT_FLOAT_EQ(chart.minX(), x - 99 * 5.0f);
}

TEST_F(ScrollChart, clearEmptiesTheSeriesAndStartsOverAtZero) {
    feed(500);
    chart.clear();
    EXPECT_TRUE(chart.series(0)->points.empty());
    EXPECT_EQ(chart.origin(), 0.0f);
    EXPECT_EQ(chart.minX(), 0.0f);
    EXPECT_EQ(chart.maxX(), chart.width());
    EXPECT_EQ(chart.scrollBar().position, 0);
    EXPECT_EQ(chart.scrollBar().page, CScrollChartModel::kScrollRange);
}

TEST_F(ScrollChart, gridLinesSitOnMultiplesOfATwentiethOfTheWidth) {
    EXPECT_EQ(chart.gridXs().size(), 21u);
    feed(250); // origin 345
    const auto xs = chart.gridXs();
    ASSERT_FALSE(xs.empty());
    EXPECT_FLOAT_EQ(xs.front(), 350.0f);
    EXPECT_FLOAT_EQ(xs.back(), 1300.0f);
    EXPECT_EQ(xs.size(), 20u);
}
