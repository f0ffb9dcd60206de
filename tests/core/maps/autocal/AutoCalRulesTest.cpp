#include "maps/autocal/AutoCalRules.h"
#include "device/Conversions.h"
#include "device/DiagData.h"
#include "maps/autocal/AutoCalMeasure.h"
#include "maps/autocal/AutoCalTexts.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace vexor {
namespace {

using std::chrono::milliseconds;

TEST(AutoCalRules, settleCountAndSwitchWaitFollowInjectorsAndSwitchingTime) {
    EXPECT_EQ(settleRecordCount(10.0, 4, false), 50); // trunc(25) raised to 50
    EXPECT_EQ(settleRecordCount(24.0, 8, false), 120);
    EXPECT_EQ(settleRecordCount(24.0, 8, true), 5);
    // The history drops its oldest records past 500: a higher count would
    // never be reached and the phase would run for ever.
    EXPECT_EQ(settleRecordCount(1e6, 8, false), CDiagData::kMaxCount);

    EXPECT_EQ(switchWait(4, 10.0), milliseconds(40000));
    EXPECT_EQ(switchWait(3, 0.5), milliseconds(1000)); // 1.5 s truncated
    EXPECT_EQ(switchWait(4, -2.0), milliseconds(0));
}

TEST(AutoCalRules, firstPassCorrectionEndsTheRunOnlyBeyondTheLimits) {
    auto check = checkFirstPassCorrection(1.0, 5.5);
    EXPECT_EQ(check.verdict, CorrectionVerdict::TooLarge);
    EXPECT_EQ(check.correction, 6.0);
    // The limits themselves are usable; they only deserve the advice.
    EXPECT_EQ(checkFirstPassCorrection(1.0, -4.0).verdict, CorrectionVerdict::AdviseSmaller);
    EXPECT_EQ(checkFirstPassCorrection(1.0, 5.0).verdict, CorrectionVerdict::AdviseLarger);
    EXPECT_EQ(checkFirstPassCorrection(1.0, 1.5).verdict, CorrectionVerdict::InRange);
    EXPECT_EQ(checkFirstPassCorrection(1.0, -0.5).verdict, CorrectionVerdict::InRange);

    EXPECT_EQ(autocal::correctionText(check), "Policzona korekta: 6.00 ms jest za duża.\n"
                                              "Korekty powinny być z zakresu od 0.5ms do 2.5ms.\n"
                                              "Należy zmienić wtryskiwacze na większe.");
    EXPECT_EQ(autocal::correctionText(checkFirstPassCorrection(1.0, -0.6)),
              "Policzona korekta: 0.40 ms nie mieści się w zalecanym zakresie od 0.5ms do "
              "2.5ms.\nZalecana jest zmiana wtryskiwaczy na mniejsze.");
}

TEST(AutoCalRules, differencesAreCombinedAroundTheirMedianAndZeroDifferencesSurvive) {
    EXPECT_DOUBLE_EQ(*combineDifferences(std::vector<double>{0.2, 0.3, 0.4}), 0.3);
    // A first pass taken before the correction was applied is far off the
    // two that follow it and is left out.
    EXPECT_NEAR(*combineDifferences(std::vector<double>{0.5, 0.02, -0.01}), 0.005, 1e-12);
    EXPECT_FALSE(differenceAdmitted(5.5, 0.5)); // exactly -10 is out
    EXPECT_TRUE(differenceAdmitted(5.25, 0.5)); // trunc(-9.5) stays in
    // A zero reference would divide by zero and reject a perfectly matched car.
    EXPECT_EQ(*combineDifferences(std::vector<double>{0.0, 0.0, 0.0}), 0.0);
    EXPECT_EQ(*combineDifferences(std::vector<double>{0.4, 0.0, 0.0}), 0.0);
}

CDiag recordWith(std::initializer_list<std::pair<int, double>> channels, std::uint8_t pressure) {
    CDiag r;
    for (const auto& [channel, ms] : channels)
        r.setPetrolWord(channel, static_cast<std::uint16_t>(std::lround(ms / 0.025)));
    r.setByte(CDiag::OffGasPressure, pressure);
    return r;
}

TEST(AutoCalMeasure, timeIsTheLongerChannelOfEachFiringInjectorAveraged) {
    // Injector 0 from its second channel, injector 1 not firing (0.2 ms is
    // not above the threshold), injector 2 beyond N = 2 ignored.
    const std::vector<CDiag> records{
        recordWith({{0, 3.0}, {1, 3.5}, {2, 0.2}, {4, 9.0}}, 128),
        recordWith({{0, 3.1}, {2, 2.9}}, 130),
    };
    const auto sample = measureRecords(records, 2);
    ASSERT_TRUE(sample);
    EXPECT_DOUBLE_EQ(sample->timeMs, 3.17); // (3.5 + 3.1 + 2.9) / 3 = 3.1666
    EXPECT_EQ(sample->pressure, std::round((pressureFromRaw(128) + pressureFromRaw(130)) / 2));

    const std::vector<CDiag> stopped{recordWith({{0, 0.2}, {3, 0.1}, {8, 3.0}}, 128)};
    EXPECT_FALSE(measureRecords(stopped, 4));
    EXPECT_FALSE(engineRunning(stopped[0], 4)); // channel 8 is injector 4, beyond N
    EXPECT_TRUE(engineRunning(recordWith({{7, 0.25}}, 0), 4));
}

} // namespace
} // namespace vexor
