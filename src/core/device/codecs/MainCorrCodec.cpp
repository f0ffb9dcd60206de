#include "device/codecs/MainCorrCodec.h"

#include "device/codecs/ByteFields.h"

namespace vexor {

namespace {
constexpr double kCorrUnit = 0.004; // ms per count
}

bool decodeMainCorr(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    if (p == nullptr || length < kMainCorrBlock.length)
        return false;
    auto& corr = settings.m_mainCorr.m_mainCorr;
    for (std::size_t i = 0; i < corr.size(); ++i)
        corr[i] = round2(fields::getS16(p + 2 * i) * kCorrUnit);
    return true;
}

MainCorrPayload encodeMainCorr(const DeviceSettings& settings) {
    MainCorrPayload out{};
    const auto& corr = settings.m_mainCorr.m_mainCorr;
    for (std::size_t i = 0; i < corr.size(); ++i) {
        const auto raw = fields::roundS16(corr[i] / kCorrUnit);
        fields::putU16(out.data() + 2 * i, static_cast<std::uint16_t>(raw));
    }
    return out;
}

} // namespace vexor
