#include "device/codecs/BaseCodec.h"

#include "device/codecs/ByteFields.h"

namespace vexor {

namespace {
// Injection times count 0.025 ms; the emulator delays count 25 ms.
constexpr double kTimeUnit = 0.025;
constexpr double kDelayUnitMs = 25.0;
} // namespace

bool decodeBase(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    using namespace fields;
    if (p == nullptr || length < kBaseBlock.length)
        return false;
    const int reducer = settings.m_sensorsSetup.m_temprEngineSensor;
    const int gas = settings.m_sensorsSetup.m_temprLPGSensor;
    auto& b = settings.m_base;
    b.m_switchRPM = rpmFromPeriodField(getU16(p + 0));
    b.m_switchMinGasTime = round1(getU16(p + 2) * kTimeUnit);
    b.m_sparkDivider = p[4];
    b.m_switchPressure = pressureField(p[5]);
    b.m_switchTempr = temprField(p[6], reducer);
    b.m_switchDelay = p[7] / 2;
    b.m_maxRPMHigh = rpmFromPeriodField(getU16(p + 8));
    b.m_maxRPMLow = rpmFromPeriodField(getU16(p + 10));
    b.m_flags = p[12];
    b.m_pressureRef = pressureField(p[13]);
    b.m_pressureGain = static_cast<std::int8_t>(p[14]) / 10.0;
    b.m_pressAverageCount = round1(p[15] / 5.0);
    b.m_temprRef = temprField(p[16], gas);
    b.m_temprGain = p[17] / 10.0;
    b.m_temprBottom = temprField(p[18], gas);
    b.m_temprUpper = temprField(p[19], gas);
    b.m_emulatorDelay = round2(p[20] * kDelayUnitMs / 1000.0);
    b.m_maxTemprInside = temprField(p[21], TemprColumn10k);
    b.m_minVCC = round1(supplyFromRaw(p[22]));
    for (std::size_t i = 0; i < b.m_stationCode.size(); ++i)
        b.m_stationCode[i] = p[24 + i];
    return true;
}

double heldEmulatorDelay(double seconds) {
    return fields::roundByte(seconds * 1000.0 / kDelayUnitMs) * kDelayUnitMs / 1000.0;
}

BasePayload encodeBase(const DeviceSettings& settings) {
    using namespace fields;
    const int reducer = settings.m_sensorsSetup.m_temprEngineSensor;
    const int gas = settings.m_sensorsSetup.m_temprLPGSensor;
    const auto& b = settings.m_base;
    BasePayload out{};
    std::uint8_t* p = out.data();
    putU16(p + 0, periodFieldFromRpm(b.m_switchRPM));
    putU16(p + 2, roundU16(b.m_switchMinGasTime / kTimeUnit));
    p[4] = b.m_sparkDivider;
    p[5] = pressureRaw(b.m_switchPressure);
    p[6] = temprRaw(b.m_switchTempr, reducer);
    p[7] = truncByte(b.m_switchDelay * 2);
    putU16(p + 8, periodFieldFromRpm(b.m_maxRPMHigh));
    putU16(p + 10, periodFieldFromRpm(b.m_maxRPMLow));
    p[12] = static_cast<std::uint8_t>(b.m_flags | kBaseFlagAlwaysOn);
    p[13] = pressureRaw(b.m_pressureRef);
    p[14] = static_cast<std::uint8_t>(truncSByte(b.m_pressureGain * 10));
    p[15] = roundByte(b.m_pressAverageCount * 5);
    p[16] = temprRaw(b.m_temprRef, gas);
    p[17] = roundByte(b.m_temprGain * 10);
    p[18] = temprRaw(b.m_temprBottom, gas);
    p[19] = temprRaw(b.m_temprUpper, gas);
    p[20] = roundByte(b.m_emulatorDelay * 1000.0 / kDelayUnitMs);
    p[21] = temprRaw(b.m_maxTemprInside, TemprColumn10k);
    p[22] = roundByte(rawFromSupply(b.m_minVCC));
    for (std::size_t i = 0; i < b.m_stationCode.size(); ++i)
        p[24 + i] = b.m_stationCode[i];
    return out;
}

} // namespace vexor
