#include "maps/autocal/AutoCalRules.h"

#include "common/Rounding.h"
#include "device/Diag.h"
#include "device/DiagData.h"
#include "maps/tools/MainCorrRange.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vexor {

int autoCalInjectors(const DeviceSettings& settings) {
    return std::clamp(settings.m_devInfo.m_injCount, 0, CDiag::kInjectorCount);
}

int settleRecordCount(double emulatorDelay, int injectors, bool demo) {
    if (demo)
        return kSettleDemoRecords;
    const double scaled = std::trunc(emulatorDelay * 2.5 * injectors / 4.0);
    // The history drops its oldest records past kMaxCount, so a larger count
    // would never be reached.
    const double limited = std::clamp(scaled, 0.0, static_cast<double>(CDiagData::kMaxCount));
    return std::max(kSettleMinRecords, static_cast<int>(limited));
}

std::chrono::milliseconds switchWait(int injectors, double emulatorDelay) {
    const double seconds = std::trunc(injectors * emulatorDelay);
    if (!(seconds > 0.0))
        return std::chrono::milliseconds{0};
    // A day is far beyond any real switching time; the bound keeps the
    // conversion defined for a nonsense value.
    const double limited = std::min(seconds, 86400.0);
    return std::chrono::milliseconds{static_cast<long long>(limited) * 1000};
}

int autoCalProgress(int records, double finishedRecords, int settleRecords) {
    const double whole = 8.0 * settleRecords + 295.0;
    const double percent = 100.0 * (records + finishedRecords) / whole;
    return roundInt(std::clamp(percent, 0.0, 100.0));
}

bool reducerWarmEnough(double reducerTempr) {
    return reducerTempr >= kAutoCalMinReducerTempr;
}

SResetOffer resetOfferFor(const DeviceSettings& settings) {
    SResetOffer offer;
    offer.offered = round2(settings.m_mainCorr.m_mainCorr[0]) != kMainCorrDefault;
    if (!offer.offered)
        return offer;
    offer.multiplierLine = std::any_of(settings.m_setupTimes1.begin(), settings.m_setupTimes1.end(),
                                       [](double point) { return point != 0.0; });
    for (const auto& row : settings.m_injMapTable) {
        if (std::any_of(row.begin(), row.end(), [](double cell) { return cell != 0.0; }))
            offer.injectionMap = true;
    }
    return offer;
}

void applyMeasuredPressure(DeviceSettings& settings, double pressure) {
    const double working = roundInt(pressure);
    settings.m_base.m_pressureRef = working;
    settings.m_base.m_switchPressure = roundInt(kSwitchPressureShare * working);
    settings.m_carInfo.m_reductorPress = working;
    settings.m_base.m_pressureGain = 1.0;
}

SCorrectionCheck checkFirstPassCorrection(double current, double difference) {
    SCorrectionCheck check;
    const double c = current + difference;
    check.correction = clampMainCorr(c);
    if (c < kMainCorrMin)
        check.verdict = CorrectionVerdict::TooSmall;
    else if (c > kMainCorrMax)
        check.verdict = CorrectionVerdict::TooLarge;
    else if (c > kMainCorrAdviceHigh)
        check.verdict = CorrectionVerdict::AdviseLarger;
    else if (c < kMainCorrAdviceLow)
        check.verdict = CorrectionVerdict::AdviseSmaller;
    return check;
}

double differenceReference(std::span<const double> differences) {
    if (differences.empty())
        return 0.0;
    std::vector<double> sorted(differences.begin(), differences.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    if (sorted.size() % 2 == 1)
        return sorted[middle];
    return (sorted[middle - 1] + sorted[middle]) / 2.0;
}

bool differenceAdmitted(double difference, double reference) {
    if (reference == 0.0)
        return difference == 0.0;
    const double ratio = std::trunc((reference - difference) / reference);
    return std::fabs(ratio) < 10.0;
}

std::optional<double> combineDifferences(std::span<const double> differences) {
    const double reference = differenceReference(differences);
    double sum = 0.0;
    int admitted = 0;
    for (double d : differences) {
        if (differenceAdmitted(d, reference)) {
            sum += d;
            ++admitted;
        }
    }
    if (admitted == 0)
        return std::nullopt;
    return sum / admitted;
}

} // namespace vexor
