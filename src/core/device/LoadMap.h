#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// A load map the controller collects while driving: per manifold-pressure bin
// the sum of the petrol injection times seen (0.004 ms units) and how many
// samples went into it, plus the number of samples over all bins.
struct LoadMap {
    static constexpr int kBins = 31;
    // Payload length of a load-map reply; any other length is not a load map.
    static constexpr std::size_t kPayloadLength = kBins * 4 + kBins * 2 + 2;

    std::array<std::uint32_t, kBins> sums{};
    std::array<std::uint16_t, kBins> counts{};
    std::uint16_t total = 0;

    bool operator==(const LoadMap&) const = default;
};

namespace vexor {

// 31 u32 sums, 31 u16 counts, u16 total, low byte first. False (map
// untouched) unless the payload is exactly kPayloadLength bytes.
bool decodeLoadMap(const std::uint8_t* payload, std::size_t length, LoadMap& map);

// What demonstration mode shows: 26 filled bins of 400 samples each, bin i
// summing i * 500 / 3 * 400 for petrol and 1.12 times that for gas.
LoadMap demoLoadMap(bool gas);

} // namespace vexor
