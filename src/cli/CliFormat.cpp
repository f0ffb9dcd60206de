#include "CliFormat.h"

#include "common/Rounding.h"

#include <cstdio>

namespace vexor::cli {

int exitCodeFor(DocResult result) {
    switch (result) {
    case DocResult::Done:
        return kExitDone;
    case DocResult::FileError:
        return kExitUsage;
    case DocResult::PortError:
        return kExitPort;
    case DocResult::Cancelled:
    case DocResult::Failed:
        break;
    }
    return kExitFailed;
}

std::string identityBlock(const DeviceSettings& settings, const std::string& port, bool demo,
                          bool liveData) {
    const auto& info = settings.m_devInfo;
    char text[512];
    std::snprintf(text, sizeof text,
                  "port: %s\nversion: %d.%d\nversion-raw: %d\nserial: %s\n"
                  "production-date: %s\ninjectors: %d\ndevice-id: %u\nflags1: %u\nflags2: %u\n"
                  "live-data: %s\n",
                  demo ? "demo" : port.c_str(), (info.m_version >> 8) & 0xFF, info.m_version & 0xFF,
                  static_cast<int>(info.m_version), info.m_serial.c_str(), info.m_prodDate.c_str(),
                  static_cast<int>(info.m_injCount), static_cast<unsigned>(info.m_deviceID),
                  static_cast<unsigned>(info.m_flags1), static_cast<unsigned>(info.m_flags2),
                  liveData ? "yes" : "no");
    return text;
}

std::string workTime(std::uint32_t halfSeconds) {
    const std::uint32_t s = halfSeconds / 2;
    char text[64];
    std::snprintf(text, sizeof text, "%u : %02u : %02u", s / 3600, (s / 60) % 60, s % 60);
    return text;
}

std::string stationText(const std::array<std::uint8_t, 4>& code) {
    char text[16];
    std::snprintf(text, sizeof text, "%02X%02X-%02X%02X", code[2], code[3], code[0], code[1]);
    return text;
}

std::string statsBlock(const DeviceSettings& settings, const std::array<std::uint8_t, 4>& own) {
    const auto& stat = settings.m_devInfo.m_statistic;
    std::string text;
    text += "petrol-time: " + workTime(stat.gas) + "\n";
    text += "gas-time: " + workTime(stat.lpg) + "\n";
    text += "modify: " + std::to_string(stat.modify) + "\n";
    text += "station-code: " + stationText(settings.m_base.m_stationCode) + "\n";
    text += "this-station: " + stationText(own) + "\n";
    return text;
}

std::string mapLines(const DeviceSettings& settings) {
    std::string text;
    for (const auto& row : settings.m_injMapTable) {
        for (std::size_t c = 0; c < row.size(); ++c) {
            if (c > 0)
                text += '\t';
            text += std::to_string(vexor::roundInt(row[c]));
        }
        text += '\n';
    }
    return text;
}

std::string plainLines(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;
        out += text[i];
    }
    return out;
}

} // namespace vexor::cli
