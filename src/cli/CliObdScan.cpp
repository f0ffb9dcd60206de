// `obd readiness|pending|permanent|freeze|vin`: what a scan tool reads
// besides the stored codes, one TAB-separated line per item (or JSON with
// --json), names in the chosen language.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"

#include "common/IError.h"
#include "diag/HandlerReport.h"
#include "lang/Translate.h"
#include "obd/OBDCodes.h"
#include "obd/ObdPageModel.h"
#include "obd/ObdScan.h"
#include "obd/ObdSetupFields.h"

using namespace vexor;
using namespace vexor::cli;

namespace {

constexpr const char* kLamp = "Kontrolka silnika";
constexpr const char* kLampOn = "włączona";
constexpr const char* kLampOff = "wyłączona";
constexpr const char* kStoredCount = "Zapisane błędy";
constexpr const char* kMsgCodesRead = "Nie można wczytać błędów OBD!";
constexpr const char* kMsgNoFreezeFrame = "Samochód nie ma zapisanej zamrożonej ramki";
constexpr const char* kCalibrationId = "Identyfikator kalibracji";

using Rows = std::vector<std::vector<std::string>>;

Rows codeRows(const COBDCodes& table, const std::vector<std::uint16_t>& codes) {
    Rows rows;
    for (std::uint16_t code : codes) {
        const char* own = table.description(code);
        rows.push_back({COBDCodes::codeName(code), own ? own : translate(COBDCodes::kUnknown)});
    }
    return rows;
}

} // namespace

int CCliCommands::obdScan(CObdPageModel& obd, const std::string& what) {
    CObdScan scan(m_doc, obdSetupProtocol(obd.setup()));
    const bool json = m_options.json;
    std::string text;
    CObdScan::Status status = CObdScan::Status::Failed;
    try {
        if (what == "readiness") {
            ObdReadiness r;
            status = scan.readReadiness(r);
            Rows monitors;
            for (const ObdMonitor& m : r.monitors)
                monitors.push_back({translate(m.name), translate(obdMonitorStateText(m.state))});
            if (json) {
                text = readinessJson(r.lamp, r.storedCodes, monitors);
            } else {
                Rows rows = {{translate(kLamp), translate(r.lamp ? kLampOn : kLampOff)},
                             {translate(kStoredCount), std::to_string(r.storedCodes)}};
                rows.insert(rows.end(), monitors.begin(), monitors.end());
                text = tabLines(rows);
            }
        } else if (what == "pending" || what == "permanent") {
            std::vector<std::uint16_t> codes;
            status = scan.readCodes(
                what == "pending" ? CObdScan::kPendingCodes : CObdScan::kPermanentCodes, codes);
            const Rows rows = codeRows(obd.codeTable(), codes);
            text = json ? jsonObjects({{"code"}, {"text"}}, rows) : tabLines(rows);
        } else if (what == "freeze") {
            ObdFreezeFrame frame;
            status = scan.readFreezeFrame(frame);
            if (status == CObdScan::Status::Done && frame.code == 0) {
                message(kMsgNoFreezeFrame);
                return kExitDone;
            }
            Rows values;
            for (const ObdFreezeValue& v : frame.values) {
                const bool word = v.pid == kPidFuelSystem;
                values.push_back({translate(obdPidName(v.pid)), word ? translate(v.text) : v.text,
                                  translate(obdPidUnit(v.pid))});
            }
            const std::string code = COBDCodes::codeName(frame.code);
            if (json) {
                text = freezeFrameJson(code, values);
            } else {
                values.insert(values.begin(), {translate(obdPidName(kPidFreezeCode)), code, ""});
                text = tabLines(values);
            }
        } else {
            std::string vin;
            std::vector<std::string> ids;
            status = scan.readVehicleInfo(vin, ids);
            if (json) {
                text = vehicleInfoJson(vin, ids);
            } else {
                Rows rows = {{"VIN", vin}};
                for (const std::string& id : ids)
                    rows.push_back({translate(kCalibrationId), id});
                text = tabLines(rows);
            }
        }
    } catch (IError* error) {
        reportHandlerError(m_doc.seams(), "vexor-cli obd", std::unique_ptr<IError>(error));
        return kExitPort;
    }
    if (status == CObdScan::Status::NotSupported) {
        message(CObdScan::kNotSupported);
        return kExitFailed;
    }
    if (status == CObdScan::Status::Failed) {
        message(kMsgCodesRead);
        return kExitFailed;
    }
    printOut(text);
    return kExitDone;
}
