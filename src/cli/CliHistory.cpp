// `history`: a car's visits across program runs, and what this run adds to
// them.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"

#include "history/VehicleHistory.h"
#include "history/VisitRecord.h"
#include "lang/Translate.h"

using namespace vexor::cli;

namespace {

constexpr const char* kMsgHistorySkipped = "Pominięto uszkodzony wpis historii pojazdu:";

} // namespace

void CCliCommands::recordVisit(const char* kind, const std::vector<std::string>& fields) {
    vexor::recordVisitEvent(m_doc, kind, fields);
}

void CCliCommands::recordConnection() {
    vexor::recordConnection(m_doc, VEXOR_VERSION);
}

int CCliCommands::cmdHistory(const Args& args) {
    std::string serial;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--serial" && i + 1 < args.size() && !args[i + 1].empty())
            serial = args[++i];
        else if (args[i].rfind("--serial=", 0) == 0 && args[i].size() > 9)
            serial = args[i].substr(9);
        else
            return usage("history takes --serial S");
    }
    const SVehicleHistory history = vexor::loadVehicleHistory(m_doc.dataFolder(), serial);
    for (const std::string& damaged : history.damaged)
        m_prompt.message(vexor::translate(kMsgHistorySkipped) + " " + damaged,
                         IUserPrompt::Icon::Warning);
    const std::string lines = vexor::historyLines(history);
    printOut(m_options.json ? historyJson(lines) : lines);
    return kExitDone;
}
