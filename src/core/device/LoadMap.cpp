#include "device/LoadMap.h"

#include "common/Rounding.h"

namespace vexor {

namespace {
constexpr std::size_t kCountsOffset = LoadMap::kBins * 4;
constexpr std::size_t kTotalOffset = kCountsOffset + LoadMap::kBins * 2;
constexpr int kDemoBins = 26;
constexpr std::uint16_t kDemoCount = 400;
constexpr double kDemoGasFactor = 1.12;
} // namespace

bool decodeLoadMap(const std::uint8_t* p, std::size_t length, LoadMap& map) {
    if (p == nullptr || length != LoadMap::kPayloadLength)
        return false;
    for (std::size_t i = 0; i < LoadMap::kBins; ++i) {
        const std::uint8_t* s = p + 4 * i;
        map.sums[i] = static_cast<std::uint32_t>(s[0]) | (static_cast<std::uint32_t>(s[1]) << 8) |
                      (static_cast<std::uint32_t>(s[2]) << 16) |
                      (static_cast<std::uint32_t>(s[3]) << 24);
        const std::uint8_t* c = p + kCountsOffset + 2 * i;
        map.counts[i] = static_cast<std::uint16_t>(c[0] | (c[1] << 8));
    }
    map.total = static_cast<std::uint16_t>(p[kTotalOffset] | (p[kTotalOffset + 1] << 8));
    return true;
}

LoadMap demoLoadMap(bool gas) {
    LoadMap map;
    int total = 0;
    for (int i = 0; i < kDemoBins; ++i) {
        double sum = i * 500.0 / 3.0 * kDemoCount;
        if (gas)
            sum *= kDemoGasFactor;
        map.sums[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(roundInt(sum));
        map.counts[static_cast<std::size_t>(i)] = kDemoCount;
        total += kDemoCount;
    }
    map.total = static_cast<std::uint16_t>(total);
    return map;
}

} // namespace vexor
