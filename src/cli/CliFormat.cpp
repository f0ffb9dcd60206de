#include "CliFormat.h"

#include "common/PrintableText.h"
#include "common/Rounding.h"
#include "device/ServiceInfo.h"

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
    // Built piece by piece: a port path or a serial may be of any length.
    const auto& info = settings.m_devInfo;
    std::string text;
    text += "port: " + (demo ? std::string("demo") : port) + "\n";
    text += "version: " + std::to_string((info.m_version >> 8) & 0xFF) + "." +
            std::to_string(info.m_version & 0xFF) + "\n";
    text += "version-raw: " + std::to_string(static_cast<int>(info.m_version)) + "\n";
    // The controller's own text: a line break in it must not forge a line.
    text += "serial: " + vexor::printableText(info.m_serial) + "\n";
    text += "production-date: " + info.m_prodDate + "\n";
    text += "injectors: " + std::to_string(static_cast<int>(info.m_injCount)) + "\n";
    text += "device-id: " + std::to_string(static_cast<unsigned>(info.m_deviceID)) + "\n";
    text += "flags1: " + std::to_string(static_cast<unsigned>(info.m_flags1)) + "\n";
    text += "flags2: " + std::to_string(static_cast<unsigned>(info.m_flags2)) + "\n";
    text += std::string("live-data: ") + (liveData ? "yes" : "no") + "\n";
    return text;
}

std::string statsBlock(const DeviceSettings& settings, const std::array<std::uint8_t, 4>& own) {
    const auto& stat = settings.m_devInfo.m_statistic;
    std::string text;
    text += "petrol-time: " + workTimeText(stat.gas) + "\n";
    text += "gas-time: " + workTimeText(stat.lpg) + "\n";
    text += "modify: " + std::to_string(stat.modify) + "\n";
    text += "station-code: " + stationCodeText(settings.m_base.m_stationCode) + "\n";
    text += "this-station: " + stationCodeText(own) + "\n";
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

std::string tabLines(const std::vector<std::vector<std::string>>& rows) {
    std::string text;
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < row.size(); ++i)
            text += row[i] + (i + 1 < row.size() ? "\t" : "\n");
    }
    return text;
}

} // namespace vexor::cli
