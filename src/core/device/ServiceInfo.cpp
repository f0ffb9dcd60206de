#include "device/ServiceInfo.h"

#include <algorithm>
#include <cstdio>

namespace vexor {

namespace {
constexpr std::int64_t kHalfSecondsPerHour = 7200;
} // namespace

std::string workTimeText(std::uint32_t halfSeconds) {
    const std::int64_t s = halfSeconds / 2;
    char text[40];
    std::snprintf(text, sizeof text, "%lld : %02lld : %02lld", static_cast<long long>(s / 3600),
                  static_cast<long long>((s / 60) % 60), static_cast<long long>(s % 60));
    return text;
}

std::string stationCodeText(const std::array<std::uint8_t, 4>& code) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X-%02X%02X", code[2], code[3], code[0], code[1]);
    return text;
}

std::int64_t workHours(std::uint32_t halfSeconds) {
    return halfSeconds / kHalfSecondsPerHour;
}

std::int64_t inspectionHoursLeft(const DeviceSettings& settings) {
    const std::int64_t limit = workHours(settings.m_advancedSetup.m_serviceLimit);
    const std::int64_t gas = workHours(settings.m_devInfo.m_statistic.lpg);
    return std::max<std::int64_t>(0, limit - gas);
}

void setInspection(DeviceSettings& settings, int km) {
    std::uint8_t& flags = settings.m_advancedSetup.m_advancedFlags;
    if (km != 0)
        flags |= kAdvFlagInspection;
    else
        flags &= static_cast<std::uint8_t>(~kAdvFlagInspection);
    const std::int64_t hours =
        km / kInspectionKmPerHour + workHours(settings.m_devInfo.m_statistic.lpg);
    // The limit is a 32-bit count on the controller; hours beyond it cannot
    // be stored, so the farthest representable due time is used.
    const std::int64_t limit = std::clamp<std::int64_t>(hours * kHalfSecondsPerHour, 0, UINT32_MAX);
    settings.m_advancedSetup.m_serviceLimit = static_cast<std::uint32_t>(limit);
}

} // namespace vexor
