#include "device/codecs/AdvCodec.h"

#include "device/codecs/ByteFields.h"

namespace vexor {

namespace {
constexpr double kTimeUnit = 0.025; // ms per count
constexpr double kDelayUnitMs = 25.0;
// The drive parameter travels 10 below its value. Values of 10 and less go out
// unchanged rather than as a negative byte; the controller then reads them 10
// higher, which the injector types never hit (their values are 35..50).
constexpr double kPwmBias = 10.0;
} // namespace

bool decodeAdv(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    using namespace fields;
    if (p == nullptr || length < kAdvBlock.length)
        return false;
    const int reducer = settings.m_sensorsSetup.m_temprEngineSensor;
    auto& a = settings.m_adv;
    a.m_injectorType = p[0];
    a.m_pwmOffset = round1(p[1] * kTimeUnit);
    a.m_pwm = p[2] + kPwmBias;
    a.m_injectorWarmingImpulse = round1(p[3] * kTimeUnit);
    a.m_warmingTime = (p[4] / 2) & 0x7F;
    a.m_warmingUpperTempr = temprField(p[5], reducer);
    a.m_minLPGTime = round1(p[6] * kTimeUnit);
    a.m_ignoreLPGTime = round1(p[7] * kTimeUnit);
    for (std::size_t i = 0; i < a.m_injSequence.size(); ++i)
        a.m_injSequence[i] = p[8 + i];
    a.m_engineSignalBehavior = p[16];
    a.m_flags = p[17];
    a.m_cutOffPressSwitch = pressureField(p[18]);
    a.m_cutOffExitEmulatorDelay = round2(p[19] * kDelayUnitMs / 1000.0);
    a.m_cutOffExitDelay = p[20] / 2.0;
    return true;
}

AdvPayload encodeAdv(const DeviceSettings& settings) {
    using namespace fields;
    const int reducer = settings.m_sensorsSetup.m_temprEngineSensor;
    const auto& a = settings.m_adv;
    AdvPayload out{};
    std::uint8_t* p = out.data();
    p[0] = a.m_injectorType;
    p[1] = roundByte(a.m_pwmOffset / kTimeUnit);
    p[2] = roundByte(a.m_pwm > kPwmBias ? a.m_pwm - kPwmBias : a.m_pwm);
    p[3] = roundByte(a.m_injectorWarmingImpulse / kTimeUnit);
    p[4] = truncByte(a.m_warmingTime * 2);
    p[5] = temprRaw(a.m_warmingUpperTempr, reducer);
    p[6] = roundByte(a.m_minLPGTime / kTimeUnit);
    p[7] = roundByte(a.m_ignoreLPGTime / kTimeUnit);
    for (std::size_t i = 0; i < a.m_injSequence.size(); ++i)
        p[8 + i] = a.m_injSequence[i];
    p[16] = a.m_engineSignalBehavior;
    p[17] = a.m_flags;
    p[18] = pressureRaw(a.m_cutOffPressSwitch);
    p[19] = roundByte(a.m_cutOffExitEmulatorDelay * 1000.0 / kDelayUnitMs);
    p[20] = truncByte(a.m_cutOffExitDelay * 2);
    return out;
}

} // namespace vexor
