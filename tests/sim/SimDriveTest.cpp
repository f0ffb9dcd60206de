#include "SimController.h"
#include "SimDriveCycle.h"
#include "SimMixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {

TEST(SimDrive, theCycleCoversTheMapsSpeedAndLoadRangeAndRepeats) {
    const CSimDriveCycle cycle;
    double lowRpm = 1e9, highRpm = 0, highLoad = 0;
    for (double t = 0; t < cycle.length(); t += 0.1) {
        const CSimDriveCycle::Point p = cycle.at(t);
        lowRpm = std::min(lowRpm, p.rpm);
        highRpm = std::max(highRpm, p.rpm);
        highLoad = std::max(highLoad, p.load);
    }
    EXPECT_LE(lowRpm, 800.0);
    EXPECT_GE(highRpm, 6000.0);
    EXPECT_GE(highLoad, 0.9);
    const CSimDriveCycle::Point a = cycle.at(123.4);
    const CSimDriveCycle::Point b = cycle.at(123.4 + cycle.length());
    EXPECT_DOUBLE_EQ(a.rpm, b.rpm);
    EXPECT_DOUBLE_EQ(a.load, b.load);
}

TEST(SimDrive, theHiddenErrorIsSeededBoundedAndWhatTheMapMustCancel) {
    const CSimMixture one(3), same(3), other(4);
    double largest = 0.0;
    for (double rpm = 800; rpm <= 6800; rpm += 250)
        for (double load = 0; load <= 1.0; load += 0.05) {
            largest = std::max(largest, std::fabs(one.error(rpm, load)));
            EXPECT_EQ(one.error(rpm, load), same.error(rpm, load));
        }
    EXPECT_LE(largest, CSimMixture::kLargest + 1e-12);
    EXPECT_GT(largest, 0.1);
    EXPECT_NE(one.error(3000, 0.5), other.error(3000, 0.5));

    // The trims make up the error less the correction of the cell the
    // controller works in; a cell holding the error leaves almost nothing.
    CSimController controller;
    controller.engine().setDriveCycle(true);
    controller.engine().setMixtureSeed(3);
    const double rpm = 3250, load = 0.5;
    const double error = one.error(rpm, load);
    EXPECT_DOUBLE_EQ(controller.remainingMixtureError(rpm, load), error);
    for (int r = 0; r < CSimController::kMapRows; ++r)
        for (int c = 0; c < CSimController::kMapColumns; ++c)
            controller.setMapCell(r, c, static_cast<int>(std::lround(100 * error)));
    EXPECT_LT(std::fabs(controller.remainingMixtureError(rpm, load)), 0.006);
}

} // namespace
