#include "report/JobSheetCollector.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "diag/HandlerReport.h"
#include "obd/ObdPageModel.h"
#include "obd/ObdScan.h"
#include "obd/ObdSetupFields.h"
#include "report/JobSheetPhrases.h"

#include <memory>
#include <tuple>

namespace vexor {

namespace {

constexpr std::uint32_t kObdInterfaceFlag = 0x01;

const char* noteOf(CObdScan::Status status) {
    return status == CObdScan::Status::NotSupported ? CObdScan::kNotSupported : jobsheet::kNotRead;
}

// What a scan tool adds to the stored codes, for the sheet.
void readScanFindings(CLPGDevice& device, const CObdPageModel& obd, SJobSheetFindings& findings) {
    using Status = CObdScan::Status;
    CObdScan scan(device, obdSetupProtocol(obd.setup()));
    (void)scan.readVehicleInfo(findings.vin, findings.calibrationIds);

    ObdReadiness readiness;
    const Status ready = scan.readReadiness(readiness);
    if (ready == Status::Done) {
        findings.readiness.push_back(
            {"Kontrolka silnika", readiness.lamp ? "włączona" : "wyłączona", true});
        for (const ObdMonitor& m : readiness.monitors)
            if (m.state != ObdMonitorState::NotSupported)
                findings.readiness.push_back({m.name, obdMonitorStateText(m.state), true});
    } else {
        findings.readinessNote = noteOf(ready);
    }

    std::vector<std::uint16_t> codes;
    for (auto [service, list, note] :
         {std::tuple{CObdScan::kPendingCodes, &findings.pendingCodes, &findings.pendingNote},
          std::tuple{CObdScan::kPermanentCodes, &findings.permanentCodes,
                     &findings.permanentNote}}) {
        const Status status = scan.readCodes(service, codes);
        if (status != Status::Done) {
            *note = noteOf(status);
            continue;
        }
        for (std::uint16_t code : codes)
            list->push_back(obd.codeTable().text(code));
    }
}

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
    // A read that failed is "not read" on the sheet, never "none".
    findings.obdRead = obd.readTroubleCodes();
    findings.obdCodes = obd.view().troubleCodes;
    if (obd.portFailed())
        return findings;
    try {
        readScanFindings(device, obd, findings);
    } catch (IError* error) {
        reportHandlerError(device.seams(), CObdPageModel::kHandlerScan,
                           std::unique_ptr<IError>(error));
    }
    return findings;
}

} // namespace vexor
