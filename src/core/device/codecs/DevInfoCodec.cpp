#include "device/codecs/DevInfoCodec.h"

#include "device/BlockIds.h"
#include "device/codecs/ByteFields.h"

#include <chrono>
#include <cstdio>

namespace vexor {

std::string prodDateFromDayCount(std::uint16_t days) {
    using namespace std::chrono;
    const year_month_day date{sys_days{year{2004} / April / 1} + std::chrono::days{days}};
    char text[16];
    std::snprintf(text, sizeof text, "%02u/%02u/%04d", static_cast<unsigned>(date.day()),
                  static_cast<unsigned>(date.month()), static_cast<int>(date.year()));
    return text;
}

bool decodeDevInfo(const std::uint8_t* p, std::size_t length, DeviceSettings& settings,
                   SerialBytes& serialBytes) {
    if (p == nullptr || length < kDevInfoBlock.length)
        return false;
    auto& info = settings.m_devInfo;
    info.m_flags1 = fields::getU32(p + 0);
    info.m_flags2 = fields::getU32(p + 4);
    info.m_prodDate = prodDateFromDayCount(fields::getU16(p + 8));
    info.m_version = fields::getU16(p + 10);
    for (std::size_t i = 0; i < serialBytes.size(); ++i)
        serialBytes[i] = p[12 + i];
    info.m_injCount = p[28];
    info.m_deviceID = p[29];
    return true;
}

bool decodeStatistic(const std::uint8_t* p, std::size_t length, DeviceSettings& settings) {
    if (p == nullptr || length < kStatisticBlock.length)
        return false;
    auto& stat = settings.m_devInfo.m_statistic;
    stat.gas = fields::getU32(p + 0);
    stat.lpg = fields::getU32(p + 4);
    stat.modify = fields::getU16(p + 8);
    return true;
}

} // namespace vexor
