// `obd`: the car's trouble codes and live values through the controller's
// OBD link, on the same logic as the window program's OBD page.

#include "CliCommands.h"
#include "CliFormat.h"

#include "lang/Translate.h"
#include "obd/ObdPageModel.h"

#include <array>

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

std::string valueLine(const std::string& name, const std::string& value, const std::string& unit) {
    return name + "\t" + value + "\t" + unit + "\n";
}

} // namespace

int CCliCommands::cmdObd(const Args& args) {
    if (args.size() != 1 || (args[0] != "codes" && args[0] != "clear" && args[0] != "values"))
        return usage("obd needs codes, clear or values");
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

    if (args[0] == "clear") {
        const bool cleared = obd.clearTroubleCodes();
        return obd.portFailed() ? kExitPort : cleared ? kExitDone : kExitFailed;
    }

    if (args[0] == "codes") {
        if (!obd.readTroubleCodes())
            return obd.portFailed() ? kExitPort : kExitFailed;
        std::string text;
        for (std::uint16_t code : obd.troubleCodes()) {
            const char* own = obd.codeTable().description(code);
            text += COBDCodes::codeName(code) + "\t" +
                    (own ? std::string(own) : vexor::translate(COBDCodes::kUnknown)) + "\n";
        }
        printOut(text);
        return kExitDone;
    }

    // Poll until every value the car has was asked for once: the round robin
    // wraps after the last slot (the demonstration fills all at once).
    const CObdPidTable& table = obd.poller().table();
    obd.poll();
    for (int i = 1; i < CObdPidTable::kSlots && table.firstPass() && !m_doc.isDemo(); ++i)
        obd.poll();
    if (obd.portFailed())
        return kExitPort;

    const SObdPageView& view = obd.view();
    std::string text;
    if (!view.values[0].empty()) {
        const bool airFlow = table.airFlow() && !m_doc.isDemo();
        text += valueLine(vexor::translate(airFlow ? CObdPageModel::kAirFlowLabel : kManifoldName),
                          view.values[0],
                          vexor::translate(airFlow ? CObdPageModel::kAirFlowUnit : kManifoldUnit));
    }
    for (std::size_t i = 0; i < kValueNames.size(); ++i) {
        const std::string& value = view.values[i + 1];
        if (!value.empty())
            text += valueLine(vexor::translate(kValueNames[i].name), value,
                              vexor::translate(kValueNames[i].unit));
    }
    if (text.empty()) {
        // Not one answer came back: no value is no success.
        message(kMsgNoObdLink);
        return kExitFailed;
    }
    printOut(text);
    return kExitDone;
}
