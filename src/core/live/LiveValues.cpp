#include "live/LiveValues.h"

#include "device/Conversions.h"

#include <algorithm>
#include <cstdio>

namespace vexor {

std::string formatNumber(const char* format, double value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, format, value);
    std::string text = buffer;
    // printf keeps the sign of a negative value that rounds to zero ("-0.00").
    if (!text.empty() && text.front() == '-' &&
        text.find_first_not_of("0.", 1) == std::string::npos)
        text.erase(0, 1);
    return text;
}

std::string rpmText(std::uint16_t period) {
    if (period == 0)
        return "0";
    const double rpm = kPeriodRpmFactor / period;
    return rpm < 100.0 ? std::string("0") : formatNumber("%.0f", rpm);
}

int displayedCylinders(std::int32_t injCount) {
    return std::clamp<std::int32_t>(injCount, 0, CDiag::kInjectorCount);
}

SLiveTexts liveTexts(const CDiag& record, const DeviceSettings& settings) {
    SLiveTexts texts;
    const int cylinders = displayedCylinders(settings.m_devInfo.m_injCount);
    std::array<SInjectorTimes, 8> times{};
    for (int i = 0; i < cylinders; ++i)
        times[static_cast<size_t>(i)] = record.injectorTimes(i);
    for (size_t i = 0; i < times.size(); ++i) {
        texts.petrol[i] = formatNumber("%.1f", times[i].petrolMs);
        texts.gas[i] = formatNumber("%.1f", times[i].gasMs);
    }
    texts.gasTime1 = formatNumber("%.2f", times[0].gasMs);
    texts.rpm = rpmText(record.ignitionPeriod());

    const auto& sensors = settings.m_sensorsSetup;
    const auto& advanced = settings.m_advancedSetup;
    texts.gasPressure = formatNumber("%.0f", pressureFromRaw(record.gasPressureRaw()));
    const double manifold =
        manifoldFromRaw(record.manifoldRaw(), advanced.m_advancedFlags, advanced.m_advancedFlags2);
    texts.manifold = formatNumber("%.0f", std::max(manifold, 0.0));
    texts.gasTempr =
        formatNumber("%.0f", temprFromRaw(record.gasTemprRaw(), sensors.m_temprLPGSensor));
    texts.reducerTempr =
        formatNumber("%.0f", temprFromRaw(record.reducerTemprRaw(), sensors.m_temprEngineSensor));
    texts.supply = formatNumber("%.2f", supplyFromRaw(record.supplyRaw()));
    texts.lambda1Volts = voltFromRaw(record.lambda1Raw());
    texts.lambda2Volts = voltFromRaw(record.lambda2Raw());
    texts.lambda1 = formatNumber("%.2f", texts.lambda1Volts);
    texts.lambda2 = formatNumber("%.2f", texts.lambda2Volts);
    return texts;
}

bool injectorWorks(const CDiag& record, int injector) {
    if (injector < 0 || injector >= CDiag::kInjectorCount)
        return false;
    return (record.injectorsOnGas() >> injector) & 1;
}

std::uint32_t injectorLabelColor(const CDiag& record, int injector) {
    return injectorWorks(record, injector) && record.workMode() == kWorkModeGas ? kRefInjectorOnGas
                                                                                : kRefInjectorIdle;
}

} // namespace vexor
