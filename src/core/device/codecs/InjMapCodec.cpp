#include "device/codecs/InjMapCodec.h"

#include "device/codecs/ByteFields.h"

#include <algorithm>
#include <cmath>

namespace vexor {

namespace {
constexpr double kCellOffset = 100.0; // cells travel as value + 100
constexpr std::size_t kCols = DeviceSettings::kMapCols;
constexpr std::size_t kRows = DeviceSettings::kMapRows;
constexpr double kCellMin = -50.0;
constexpr double kCellMax = 50.0;

// A cell outside -50..+50 (a damaged block, a stray document value) is kept
// to the range; NaN and infinities count as 0. Without this a stored 80 would
// go out as byte 180 and a damaged byte 200 would come in as 100.
double cellInRange(double value) {
    if (!std::isfinite(value))
        return 0.0;
    return std::clamp(value, kCellMin, kCellMax);
}
static_assert(kRows * kCols == kInjMapFlagsOffset);
static_assert(kInjMapChecksumOffset + 2 == kInjMapAreaLength);
} // namespace

std::uint16_t injMapChecksum(const std::uint8_t* area) {
    std::uint32_t sum = 1;
    for (std::size_t i = 0; i < kInjMapChecksumOffset; ++i)
        sum += area[i];
    return static_cast<std::uint16_t>(sum & 0xFFFF);
}

std::uint16_t storedInjMapChecksum(const std::uint8_t* area) {
    return static_cast<std::uint16_t>((area[kInjMapChecksumOffset] << 8) |
                                      area[kInjMapChecksumOffset + 1]);
}

bool decodeInjMap(const std::uint8_t* area, std::size_t length, DeviceSettings& settings) {
    if (area == nullptr || length < kInjMapAreaLength)
        return false;
    if (storedInjMapChecksum(area) != injMapChecksum(area))
        return false;
    for (std::size_t r = 0; r < kRows; ++r)
        for (std::size_t c = 0; c < kCols; ++c)
            settings.m_injMapTable[r][c] = cellInRange(area[kCols * r + c] - kCellOffset);
    settings.m_corrMap.m_flags = area[kInjMapFlagsOffset];
    return true;
}

InjMapArea encodeInjMap(const DeviceSettings& settings) {
    InjMapArea area{};
    for (std::size_t r = 0; r < kRows; ++r)
        for (std::size_t c = 0; c < kCols; ++c)
            area[kCols * r + c] =
                fields::truncByte(cellInRange(settings.m_injMapTable[r][c]) + kCellOffset);
    area[kInjMapFlagsOffset] = settings.m_corrMap.m_flags;
    const std::uint16_t sum = injMapChecksum(area.data());
    area[kInjMapChecksumOffset] = static_cast<std::uint8_t>(sum >> 8);
    area[kInjMapChecksumOffset + 1] = static_cast<std::uint8_t>(sum & 0xFF);
    return area;
}

} // namespace vexor
