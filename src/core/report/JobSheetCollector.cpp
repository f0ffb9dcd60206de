#include "report/JobSheetCollector.h"

#include "device/LPGDevice.h"
#include "obd/ObdPageModel.h"

namespace vexor {

namespace {

constexpr std::uint32_t kObdInterfaceFlag = 0x01;

} // namespace

std::vector<std::string> faultLines(const std::string& described) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < described.size()) {
        std::size_t end = described.find('\n', start);
        if (end == std::string::npos)
            end = described.size();
        std::string line = described.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

SJobSheetFindings readJobSheetFindings(CLPGDevice& device) {
    SJobSheetFindings findings;
    CLPGDeviceErr::ErrorBytes bytes{};
    if (device.readErrors(bytes)) {
        findings.faultsRead = true;
        findings.faults = faultLines(device.describeErrors(bytes));
    }
    if ((device.settings().m_devInfo.m_flags1 & kObdInterfaceFlag) == 0)
        return findings;
    CObdPageModel obd(device);
    obd.updatePage();
    if (!obd.obdConnected())
        return findings;
    obd.readTroubleCodes();
    findings.obdRead = true;
    findings.obdCodes = obd.view().troubleCodes;
    return findings;
}

} // namespace vexor
