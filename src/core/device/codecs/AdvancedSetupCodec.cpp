#include "device/codecs/AdvancedSetupCodec.h"

#include "device/codecs/ByteFields.h"

namespace vexor {

namespace {
constexpr double kLoadUnit = 0.004; // ms per count
}

bool decodeAdvancedSetup(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    using namespace fields;
    if (p == nullptr || length < kAdvancedSetupBlock.length)
        return false;
    auto& a = settings.m_advancedSetup;
    a.m_serviceLimit = getU32(p + 0);
    a.m_minimalLPGRPM = rpmFromPeriodField(getU16(p + 8));
    a.m_switchCorr = p[10];
    a.m_switchCorrTime = p[11] / 2;
    a.m_advancedFlags = p[12];
    a.m_advancedFlags2 = p[13];
    a.m_maxLoad = round2(getU16(p + 14) * kLoadUnit);
    return true;
}

AdvancedSetupPayload encodeAdvancedSetup(const DeviceSettings& settings) {
    using namespace fields;
    const auto& a = settings.m_advancedSetup;
    AdvancedSetupPayload out{};
    std::uint8_t* p = out.data();
    putU32(p + 0, a.m_serviceLimit);
    putU16(p + 8, periodFieldFromRpm(a.m_minimalLPGRPM));
    p[10] = a.m_switchCorr;
    p[11] = truncByte(a.m_switchCorrTime * 2);
    p[12] = a.m_advancedFlags;
    p[13] = a.m_advancedFlags2;
    putU16(p + 14, roundU16(a.m_maxLoad / kLoadUnit));
    return out;
}

} // namespace vexor
