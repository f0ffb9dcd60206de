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

TEST(AutoCalRules, settleCountIsRaisedToFiftyFollowsLongDelaysAndIsFiveInDemo) {
    EXPECT_EQ(settleRecordCount(10.0, 4, false), 50); // trunc(25) raised to 50
    EXPECT_EQ(settleRecordCount(6.0, 8, false), 50);  // 30
    EXPECT_EQ(settleRecordCount(24.0, 8, false), 120);
    EXPECT_EQ(settleRecordCount(0.0, 4, true), 5);
    EXPECT_EQ(settleRecordCount(24.0, 8, true), 5);
    // The history drops its oldest records past 500: a higher count would
    // never be reached and the phase would run for ever.
    EXPECT_EQ(settleRecordCount(1e6, 8, false), CDiagData::kMaxCount);
}

TEST(AutoCalRules, switchWaitIsInjectorsTimesDelayInWholeSeconds) {
    EXPECT_EQ(switchWait(4, 10.0), milliseconds(40000));
    EXPECT_EQ(switchWait(4, 0.0), milliseconds(0));
    EXPECT_EQ(switchWait(3, 0.5), milliseconds(1000)); // 1.5 s truncated
    EXPECT_EQ(switchWait(1, 0.9), milliseconds(0));
    EXPECT_EQ(switchWait(4, -2.0), milliseconds(0));
}

TEST(AutoCalRules, progressCountsFinishedPhasesAndStaysWithinTheBar) {
    EXPECT_EQ(autoCalProgress(0, 0, 50), 0);
    EXPECT_EQ(autoCalProgress(50, 0, 50), 7);     // 5000 / 695 = 7.19
    EXPECT_EQ(autoCalProgress(25, 350, 50), 54);  // 37500 / 695 = 53.96
    EXPECT_EQ(autoCalProgress(5000, 0, 50), 100); // never past the end
}

TEST(AutoCalRules, resetIsOfferedOnlyForAChangedMainCorrectionAndNamesWhatHoldsValues) {
    DeviceSettings settings;
    settings.m_injMapTable[3][4] = 7;
    settings.m_setupTimes1[2] = -4;
    EXPECT_FALSE(resetOfferFor(settings).offered); // 1.00 ms: nothing to offer

    settings.m_mainCorr.m_mainCorr[0] = 1.24;
    auto offer = resetOfferFor(settings);
    EXPECT_TRUE(offer.offered);
    EXPECT_TRUE(offer.multiplierLine);
    EXPECT_TRUE(offer.injectionMap);

    settings.m_injMapTable[3][4] = 0;
    settings.m_setupTimes1[2] = 0;
    offer = resetOfferFor(settings);
    EXPECT_TRUE(offer.offered);
    EXPECT_FALSE(offer.multiplierLine);
    EXPECT_FALSE(offer.injectionMap);
    EXPECT_EQ(autocal::resetQuestionText(offer),
              "Uwaga!!! Przed każdą ponowną autokalibracją zalecane jest przywrócenie nastawów "
              "do wartości domyślnych.\nCzy przywrócić główną poprawkę stałoczasową (do 1,00 ms)?");
}

TEST(AutoCalRules, measuredPressureSetsWorkingAndSwitchPressuresInWholeNumbers) {
    DeviceSettings settings;
    settings.m_base.m_pressureGain = 1.7;
    applyMeasuredPressure(settings, 103);
    EXPECT_EQ(settings.m_base.m_pressureRef, 103);
    EXPECT_EQ(settings.m_base.m_switchPressure, 62); // 61.8
    EXPECT_EQ(settings.m_carInfo.m_reductorPress, 103);
    EXPECT_EQ(settings.m_base.m_pressureGain, 1.0);
    applyMeasuredPressure(settings, 105);
    EXPECT_EQ(settings.m_base.m_switchPressure, 63); // 63.0
}

TEST(AutoCalRules, firstPassCorrectionEndsTheRunOnlyBeyondTheLimits) {
    auto check = checkFirstPassCorrection(1.0, -4.5);
    EXPECT_EQ(check.verdict, CorrectionVerdict::TooSmall);
    EXPECT_EQ(check.correction, -3.0);
    check = checkFirstPassCorrection(1.0, 5.5);
    EXPECT_EQ(check.verdict, CorrectionVerdict::TooLarge);
    EXPECT_EQ(check.correction, 6.0);
    // The limits themselves are usable; they only deserve the advice.
    EXPECT_EQ(checkFirstPassCorrection(1.0, -4.0).verdict, CorrectionVerdict::AdviseSmaller);
    EXPECT_EQ(checkFirstPassCorrection(1.0, 5.0).verdict, CorrectionVerdict::AdviseLarger);
    EXPECT_EQ(checkFirstPassCorrection(1.0, 1.5).verdict, CorrectionVerdict::InRange);
    EXPECT_EQ(checkFirstPassCorrection(1.0, -0.5).verdict, CorrectionVerdict::InRange);
    EXPECT_EQ(checkFirstPassCorrection(1.0, 1.51).verdict, CorrectionVerdict::AdviseLarger);
}

TEST(AutoCalRules, correctionBoxesJoinTheirPiecesLineByLine) {
    EXPECT_EQ(autocal::correctionText(checkFirstPassCorrection(1.0, -4.5)),
              "Policzona korekta: -3.00 ms jest za mała.\n"
              "Korekty powinny być z zakresu od 0.5ms do 2.5ms.\n"
              "Należy zmienić wtryskiwacze na mniejsze.");
    EXPECT_EQ(autocal::correctionText(checkFirstPassCorrection(1.0, 5.5)),
              "Policzona korekta: 6.00 ms jest za duża.\n"
              "Korekty powinny być z zakresu od 0.5ms do 2.5ms.\n"
              "Należy zmienić wtryskiwacze na większe.");
    EXPECT_EQ(autocal::correctionText(checkFirstPassCorrection(1.0, 1.73)),
              "Policzona korekta: 2.73 ms  nie mieści się w zalecanym zakresie od 0.5ms do "
              "2.5ms.\nZalecana jest zmiana wtryskiwaczy na większe.");
    EXPECT_EQ(autocal::correctionText(checkFirstPassCorrection(1.0, -0.6)),
              "Policzona korekta: 0.40 ms nie mieści się w zalecanym zakresie od 0.5ms do "
              "2.5ms.\nZalecana jest zmiana wtryskiwaczy na mniejsze.");
    EXPECT_EQ(autocal::correctionText(checkFirstPassCorrection(1.0, 0.2)), "");
}

TEST(AutoCalRules, differencesAreCombinedAroundTheirMedian) {
    // Steady passes: all stay in.
    const std::vector<double> steady{0.3, 0.3, 0.3};
    EXPECT_DOUBLE_EQ(*combineDifferences(steady), 0.3);
    const std::vector<double> close{0.2, 0.3, 0.4};
    EXPECT_DOUBLE_EQ(*combineDifferences(close), 0.3);
    // A first pass taken before the correction was applied is far off the
    // two that follow it and is left out.
    const std::vector<double> converged{0.5, 0.02, -0.01};
    EXPECT_NEAR(*combineDifferences(converged), 0.005, 1e-12);
    EXPECT_FALSE(differenceAdmitted(0.5, 0.02));  // |trunc(-24)| >= 10
    EXPECT_TRUE(differenceAdmitted(-0.01, 0.02)); // |trunc(1.5)| < 10
    EXPECT_FALSE(differenceAdmitted(5.5, 0.5));   // exactly -10 is out
    EXPECT_TRUE(differenceAdmitted(5.25, 0.5));   // trunc(-9.5) stays in
}

TEST(AutoCalRules, aPerfectlyMatchedCarWithZeroDifferencesIsNotRejected) {
    // A zero reference would divide by zero and reject every difference.
    const std::vector<double> zeros{0.0, 0.0, 0.0};
    ASSERT_TRUE(combineDifferences(zeros).has_value());
    EXPECT_EQ(*combineDifferences(zeros), 0.0);
    const std::vector<double> mostlyZero{0.4, 0.0, 0.0};
    EXPECT_EQ(*combineDifferences(mostlyZero), 0.0);
    EXPECT_FALSE(differenceAdmitted(0.4, 0.0));
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
    const double pressure = (pressureFromRaw(128) + pressureFromRaw(130)) / 2;
    EXPECT_EQ(sample->pressure, std::round(pressure));
}

TEST(AutoCalMeasure, noFiringInjectorGivesNoMeasurementAndAStoppedEngine) {
    const std::vector<CDiag> records{recordWith({{0, 0.2}, {3, 0.1}}, 128)};
    EXPECT_FALSE(measureRecords(records, 4));
    EXPECT_FALSE(measureRecords({}, 4));
    EXPECT_FALSE(engineRunning(records[0], 4));
    EXPECT_TRUE(engineRunning(recordWith({{7, 0.25}}, 0), 4)); // injector 3's second channel
    EXPECT_FALSE(engineRunning(recordWith({{8, 3.0}}, 0), 4)); // injector 4 is beyond N
}

} // namespace
} // namespace vexor
