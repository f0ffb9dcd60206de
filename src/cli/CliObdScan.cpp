// `obd readiness|pending|permanent|freeze|vin`: what a scan tool reads
// besides the stored codes, one TAB-separated line per item, names in the
// chosen language.

#include "CliCommands.h"
#include "CliFormat.h"
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

std::string line(std::initializer_list<std::string> fields) {
    std::string text;
    for (const std::string& f : fields)
        text += (text.empty() ? "" : "\t") + f;
    return text + "\n";
}

std::string codeLines(const COBDCodes& table, const std::vector<std::uint16_t>& codes) {
    std::string text;
    for (std::uint16_t code : codes) {
        const char* own = table.description(code);
        text += line({COBDCodes::codeName(code), own ? own : translate(COBDCodes::kUnknown)});
    }
    return text;
}

} // namespace

int CCliCommands::obdScan(CObdPageModel& obd, const std::string& what) {
    CObdScan scan(m_doc, obdSetupProtocol(obd.setup()));
    std::string text;
    CObdScan::Status status = CObdScan::Status::Failed;
    try {
        if (what == "readiness") {
            ObdReadiness r;
            status = scan.readReadiness(r);
            text += line({translate(kLamp), translate(r.lamp ? kLampOn : kLampOff)});
            text += line({translate(kStoredCount), std::to_string(r.storedCodes)});
            for (const ObdMonitor& m : r.monitors)
                text += line({translate(m.name), translate(obdMonitorStateText(m.state))});
        } else if (what == "pending" || what == "permanent") {
            std::vector<std::uint16_t> codes;
            status = scan.readCodes(
                what == "pending" ? CObdScan::kPendingCodes : CObdScan::kPermanentCodes, codes);
            text = codeLines(obd.codeTable(), codes);
        } else if (what == "freeze") {
            ObdFreezeFrame frame;
            status = scan.readFreezeFrame(frame);
            if (status == CObdScan::Status::Done && frame.code == 0) {
                message(kMsgNoFreezeFrame);
                return kExitDone;
            }
            text +=
                line({translate(obdPidName(kPidFreezeCode)), COBDCodes::codeName(frame.code), ""});
            for (const ObdFreezeValue& v : frame.values) {
                const bool word = v.pid == kPidFuelSystem;
                text += line({translate(obdPidName(v.pid)), word ? translate(v.text) : v.text,
                              translate(obdPidUnit(v.pid))});
            }
        } else {
            std::string vin;
            std::vector<std::string> ids;
            status = scan.readVehicleInfo(vin, ids);
            text += line({"VIN", vin});
            for (const std::string& id : ids)
                text += line({translate(kCalibrationId), id});
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
