#include "device/codecs/SetupTimesCodec.h"

#include "device/codecs/ByteFields.h"

namespace vexor {

namespace {
constexpr double kOffset = 100.0; // signed values travel as value + 100
constexpr std::size_t kCount = 20;
} // namespace

bool decodeSetupTimes(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    if (p == nullptr || length < kSetupTimesBlock.length)
        return false;
    for (std::size_t i = 0; i < kCount; ++i) {
        settings.m_setupTimes1[i] = p[i] - kOffset;
        settings.m_setupTimes2[i] = p[kCount + i] - kOffset;
    }
    settings.m_tableMask = p[2 * kCount];
    return true;
}

SetupTimesPayload encodeSetupTimes(const DeviceSettings& settings) {
    SetupTimesPayload out{};
    for (std::size_t i = 0; i < kCount; ++i) {
        out[i] = fields::truncByte(settings.m_setupTimes1[i] + kOffset);
        out[kCount + i] = fields::truncByte(settings.m_setupTimes2[i] + kOffset);
    }
    out[2 * kCount] = settings.m_tableMask;
    return out;
}

} // namespace vexor
