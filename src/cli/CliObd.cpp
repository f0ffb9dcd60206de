// `obd`: the car's trouble codes and live values through the controller's
// OBD link, on the same logic as the window program's OBD page.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"

#include "lang/Translate.h"
#include "obd/ObdPageModel.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgNoObdLink = "Brak połączenia OBD z samochodem!";

constexpr const char* kManifoldName = "Podciśnienie";
constexpr const char* kManifoldUnit = "kPa";
constexpr const char* kPercent = "%";
constexpr const char* kVolt = "V";

// Name and unit of each polled value after the first (manifold pressure or
// air flow), in the poller's slot order.
struct ValueName {
    const char* name;
    const char* unit;
};
constexpr std::array<ValueName, SObdPageView::kValues - 1> kValueNames = {{
    {"Korekta krótkoterminowa bank 1", kPercent},
    {"Korekta długoterminowa bank 1", kPercent},
    {"Korekta krótkoterminowa bank 2", kPercent},
    {"Korekta długoterminowa bank 2", kPercent},
    {"Lambda przed katalizatorem bank 1", kVolt},
    {"Lambda za katalizatorem bank 1", kVolt},
    {"Lambda przed katalizatorem bank 2", kVolt},
    {"Lambda za katalizatorem bank 2", kVolt},
}};

// Lines of TAB-separated cells, or with --json an array of objects.
std::string table(bool json, const std::vector<SJsonField>& fields,
                  const std::vector<std::vector<std::string>>& rows) {
    return json ? jsonObjects(fields, rows) : tabLines(rows);
}

} // namespace

int CCliCommands::cmdObd(const Args& args) {
    static const std::vector<std::string> kScans = {"readiness", "pending", "permanent", "freeze",
                                                    "vin"};
    const bool scan =
        args.size() == 1 && std::find(kScans.begin(), kScans.end(), args[0]) != kScans.end();
    if (!scan &&
        (args.size() != 1 || (args[0] != "codes" && args[0] != "clear" && args[0] != "values")))
        return usage(
            "obd needs codes, clear, values, readiness, pending, permanent, freeze or vin");
    if (const int status = connectController())
        return status;

    // The page's own start: both OBD set-ups, then the search for the car's
    // bus when the link is on.
    CObdPageModel obd(m_doc);
    obd.updatePage();
    if (obd.portFailed())
        return kExitPort;
    if (!obd.obdConnected()) {
        message(kMsgNoObdLink);
        return kExitFailed;
    }

    if (scan)
        return obdScan(obd, args[0]);

    if (args[0] == "clear") {
        const bool cleared = obd.clearTroubleCodes();
        return obd.portFailed() ? kExitPort : cleared ? kExitDone : kExitFailed;
    }

    if (args[0] == "codes") {
        if (!obd.readTroubleCodes())
            return obd.portFailed() ? kExitPort : kExitFailed;
        std::vector<std::vector<std::string>> rows;
        for (std::uint16_t code : obd.troubleCodes()) {
            const char* own = obd.codeTable().description(code);
            const std::string description =
                own ? std::string(own) : vexor::translate(COBDCodes::kUnknown);
            rows.push_back({COBDCodes::codeName(code), description});
            recordVisit("obd", {COBDCodes::codeName(code), description});
        }
        printOut(table(m_options.json, {{"code"}, {"text"}}, rows));
        return kExitDone;
    }

    // Poll until every value the car has was asked for once: the round robin
    // wraps after the last slot (the demonstration fills all at once).
    const CObdPidTable& pids = obd.poller().table();
    obd.poll();
    for (int i = 1; i < CObdPidTable::kSlots && pids.firstPass() && !m_doc.isDemo(); ++i)
        obd.poll();
    if (obd.portFailed())
        return kExitPort;

    const SObdPageView& view = obd.view();
    std::vector<std::vector<std::string>> rows;
    if (!view.values[0].empty()) {
        const bool airFlow = pids.airFlow() && !m_doc.isDemo();
        rows.push_back({vexor::translate(airFlow ? CObdPageModel::kAirFlowLabel : kManifoldName),
                        view.values[0],
                        vexor::translate(airFlow ? CObdPageModel::kAirFlowUnit : kManifoldUnit)});
    }
    for (std::size_t i = 0; i < kValueNames.size(); ++i) {
        const std::string& value = view.values[i + 1];
        if (!value.empty())
            rows.push_back({vexor::translate(kValueNames[i].name), value,
                            vexor::translate(kValueNames[i].unit)});
    }
    if (rows.empty()) {
        // Not one answer came back: no value is no success.
        message(kMsgNoObdLink);
        return kExitFailed;
    }
    printOut(table(m_options.json, {{"name"}, {"value", true}, {"unit"}}, rows));
    return kExitDone;
}
