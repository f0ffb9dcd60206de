#include "CliCommands.h"

#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"
#include "common/IError.h"
#include "connect/PortDoctor.h"
#include "files/FirmwareFile.h"
#include "history/VisitRecord.h"
#include "lang/Translate.h"
#include "platform/FileKind.h"
#include "platform/PortHolders.h"
#include "platform/PortTable.h"
#include "platform/StationCode.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsFileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <unistd.h>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgErrorsRead = "Nie można wczytać błędów urządzenia";
constexpr const char* kMsgErrorsClear = "Nie można skasować błędów urządzenia";
constexpr const char* kMsgStatsRead = "Nie powiodło się odczytanie ustawień urządzenia!";
constexpr const char* kMsgGas = "Nie powiodło się przełączenie na gaz!";
constexpr const char* kMsgAuto = "Nie powiodło się przełączenie w tryb AUTO!";
constexpr const char* kMsgPortBusy = "Port jest zajęty przez inny program:";

// Why no file could be created at path (an errno value), 0 when its folder
// exists and is writable.
int unwritableTarget(const std::string& path) {
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    if (folder.empty())
        folder = ".";
    if (std::filesystem::is_directory(path))
        return EISDIR;
    return ::access(folder.c_str(), W_OK) == 0 ? 0 : errno;
}

} // namespace

CCliCommands::CCliCommands(const CliOptions& options) : m_options(options), m_prompt(options.yes) {
    Seams seams;
    seams.prompt = &m_prompt;
    seams.timers = &m_timers;
    seams.chooser = &m_chooser;
    m_doc.setSeams(seams);
    m_doc.setCng(options.cng);
    m_doc.setDataFolder(options.dataDir);
    m_doc.setConfigFolder(options.configDir);
    // Faking a controller is the user's call alone: a script that said --yes
    // to the factory settings must still see "no controller", also when the
    // controller does not come back after a firmware update.
    m_prompt.addManualQuestion(vexor::translate(CKorvantisDoc::kMsgDemoQuestion));
    m_doc.setChangeGuard([this] { return takeBackup(m_backupReason); });
}

CCliCommands::~CCliCommands() {
    m_doc.stopPolling();
}

int CCliCommands::run() {
    try {
        return dispatch();
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        std::string text =
            "vexor-cli " + m_options.command + "\n" + vexor::translate(owned->description());
        if (!owned->message().empty())
            text += "\n" + owned->message();
        m_prompt.message(text, IUserPrompt::Icon::Error);
        return kExitPort;
    }
}

int CCliCommands::dispatch() {
    for (const SCommandSpec& entry : commandTable()) {
        if (m_options.command == entry.name)
            return (this->*entry.handler)(m_options.args);
    }
    return usage("unknown command " + m_options.command);
}

int CCliCommands::usage(const std::string& reason) const {
    (void)printErr("vexor-cli: " + reason + " (see --help)\n");
    return kExitUsage;
}

void CCliCommands::message(const char* polish) const {
    m_prompt.message(vexor::translate(polish), IUserPrompt::Icon::Error);
}

void CCliCommands::messageWith(const char* polish, const std::string& detail) const {
    std::string text = vexor::translate(polish);
    if (!detail.empty())
        text += "\n" + detail;
    m_prompt.message(text, IUserPrompt::Icon::Error);
}

void CCliCommands::fileRefusal(const char* polish, const std::string& detail) const {
    messageWith(("vexor-cli: " + vexor::translate(polish)).c_str(), detail);
}

int CCliCommands::connectController() {
    if (const int status = connectOnly())
        return status;
    return imageStatus();
}

int CCliCommands::connectOnly() {
    if (m_options.demo)
        m_doc.enterDemo();
    if (m_doc.connect()) {
        recordConnection();
        return kExitDone;
    }
    // A port another program holds is not a wiring fault: say who has it.
    // The last port tried is still ours; it must not count as busy.
    (void)m_doc.port().close();
    const vexor::CPortDoctor doctor;
    const auto table = vexor::currentPortTable();
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::string& path = table[i];
        if (vexor::staleExclusive(path)) {
            m_prompt.message("vexor-cli: " + path + ": " +
                                 vexor::translate(vexor::kMsgStaleExclusive),
                             IUserPrompt::Icon::Error);
            continue;
        }
        if (vexor::portBusy(path)) {
            messageWith(kMsgPortBusy, vexor::describePortHolders(path));
            continue;
        }
        // A port that cannot be a controller's at all is named the way
        // `doctor` names it, not left to the advice about the wiring.
        const vexor::SPortFinding finding = doctor.examine(path, static_cast<int>(i) + 1, {});
        if (finding.state == vexor::EPortState::NotATerminal ||
            finding.state == vexor::EPortState::Missing ||
            finding.state == vexor::EPortState::Denied)
            m_prompt.message("vexor-cli: " + path + ": " + vexor::portStateName(finding.state) +
                                 ": " + finding.detail,
                             IUserPrompt::Icon::Error);
    }
    return kExitNoController;
}

int CCliCommands::imageStatus() const {
    if (m_doc.imageComplete())
        return kExitDone;
    std::string unread;
    for (const vexor::SettingBlock block : m_doc.readBlocks().missing())
        unread += std::string(unread.empty() ? "" : ", ") + vexor::blockName(block);
    m_prompt.message(vexor::translate(CKorvantisDoc::kMsgImageIncomplete) + " (" + unread + ")",
                     IUserPrompt::Icon::Error);
    return kExitFailed;
}

// ---------------------------------------------------------------- commands

int CCliCommands::cmdPorts(const Args& args) {
    if (!args.empty())
        return usage("ports takes no arguments");
    const auto table = vexor::currentPortTable();
    std::string text;
    std::vector<std::vector<std::string>> rows;
    for (std::size_t i = 0; i < table.size(); ++i) {
        text += std::to_string(i + 1) + "\t" + table[i] + "\n";
        rows.push_back({std::to_string(i + 1), table[i]});
    }
    printOut(m_options.json ? jsonObjects({{"index", true}, {"path"}}, rows) : text);
    return kExitDone;
}

int CCliCommands::cmdIdentify(const Args& args) {
    if (!args.empty())
        return usage("identify takes no arguments");
    if (const int status = connectOnly())
        return status;
    // What was read is printed even when some blocks were not: it is what
    // the fitter needs to see to know what went wrong.
    printOut((m_options.json ? identityJson : identityBlock)(
        m_doc.settings(), m_doc.portName(), m_doc.isDemo(), m_doc.liveDataAvailable()));
    return imageStatus();
}

int CCliCommands::cmdStats(const Args& args) {
    if (!args.empty())
        return usage("stats takes no arguments");
    if (const int status = connectController())
        return status;
    if (!m_doc.readStatistic()) {
        message(kMsgStatsRead);
        return kExitFailed;
    }
    std::array<std::uint8_t, 4> own{};
    vexor::stationCode(own.data());
    printOut(m_options.json ? statsJson(m_doc.settings(), own) : statsBlock(m_doc.settings(), own));
    return kExitDone;
}

int CCliCommands::cmdSettings(const Args& args) {
    if (args.empty())
        return usage("settings needs show, save FILE, load FILE, defaults, diff or set");
    const std::string& what = args[0];
    if (what == "diff")
        return cmdSettingsDiff(args);
    if (what == "set")
        return cmdSettingsSet(args);
    if (what == "show" || what == "defaults") {
        if (args.size() != 1)
            return usage("settings " + what + " takes no further arguments");
    } else if (what == "save" || what == "load") {
        if (args.size() != 2 || args[1].empty())
            return usage("settings " + what + " needs one FILE");
    } else {
        return usage("unknown settings command " + what);
    }

    // A file that cannot be used is refused before the controller is touched.
    if (what == "load") {
        DeviceSettings probe;
        vexor::SSettingsFileProblem problem;
        if (!vexor::readSettingsFileChecked(args[1], probe, problem)) {
            fileRefusal(CKorvantisDoc::kMsgFileRead, problem.describe());
            return kExitUsage;
        }
    }
    if (what == "save" && !vexor::replaceableTarget(args[1])) {
        fileRefusal(CKorvantisDoc::kMsgFileWrite,
                    vexor::translate(vexor::notRegularMessage()) + " " + args[1]);
        return kExitUsage;
    }
    if (what == "save") {
        if (const int error = unwritableTarget(args[1])) {
            fileRefusal(CKorvantisDoc::kMsgFileWrite, args[1] + ": " + std::strerror(error));
            return kExitUsage;
        }
    }

    if (what == "show") {
        if (const int status = connectOnly())
            return status;
        printOut(m_options.json ? settingsJson(m_doc.settings())
                                : vexor::formatSettingsFile(m_doc.settings()));
        return imageStatus();
    }
    if (const int status = connectController())
        return status;
    if (what != "defaults")
        m_chooser.setPath(args[1]);
    if (what == "save") {
        CCliPhase phase(&m_signals, CCliSignals::Phase::Deferred);
        return exitCodeFor(m_doc.OnFileWriteSettings());
    }
    if (what == "defaults")
        m_backupReason = "defaults";
    CCliPhase phase(&m_signals, CCliSignals::Phase::Uncuttable, CKorvantisDoc::kMsgHalfWritten);
    return exitCodeFor(what == "defaults" ? m_doc.OnDefaultValues() : m_doc.OnFileReadSettings());
}

int CCliCommands::cmdErrors(const Args& args) {
    const bool clear = args.size() == 1 && args[0] == "clear";
    if (!args.empty() && !clear)
        return usage("errors takes nothing or clear");
    if (const int status = connectController())
        return status;
    if (clear) {
        if (!m_doc.restart()) {
            message(kMsgErrorsClear);
            return kExitFailed;
        }
        return kExitDone;
    }
    CLPGDeviceErr::ErrorBytes bytes{};
    if (!m_doc.readErrors(bytes)) {
        message(kMsgErrorsRead);
        return kExitFailed;
    }
    const std::string faults = m_doc.describeErrors(bytes);
    vexor::recordFaults(m_doc, plainLines(faults));
    printOut(m_options.json ? faultsJson(faults) : plainLines(faults));
    return kExitDone;
}

int CCliCommands::cmdSwitch(const Args& args) {
    if (args.size() != 1 || (args[0] != "petrol" && args[0] != "gas" && args[0] != "auto"))
        return usage("switch needs petrol, gas or auto");
    if (const int status = connectController())
        return status;
    if (args[0] == "petrol") {
        if (m_doc.switchToGasoline())
            return kExitDone;
        message(CKorvantisDoc::kMsgPetrol);
    } else if (args[0] == "gas") {
        if (m_doc.switchToLpg())
            return kExitDone;
        message(kMsgGas);
    } else {
        // The window program's automatic button waits for petrol first and
        // does not mind whether that wait succeeded.
        (void)m_doc.waitForGasoline();
        if (m_doc.switchToAuto())
            return kExitDone;
        message(kMsgAuto);
    }
    return kExitFailed;
}

int CCliCommands::cmdFlash(const Args& args) {
    if (args.size() != 1 || args[0].empty())
        return usage("flash needs one FILE");
    std::uint16_t version = 0;
    {
        CFirmwareFile probe;
        if (!probe.loadFor(args[0], DeviceSettings{}.m_devInfo.m_producer, version)) {
            std::string detail = vexor::translate(CFirmwareFile::refusalText(probe.refusal()));
            // A file that could not be opened at all is named, with the reason.
            if (probe.refusal() == CFirmwareFile::Refusal::NotRegular)
                detail += " " + args[0];
            else if (probe.refusal() == CFirmwareFile::Refusal::Unreadable)
                detail += "\n" + args[0] + ": " + std::strerror(probe.openError());
            fileRefusal(CKorvantisDoc::kMsgProgramming, detail);
            return kExitUsage;
        }
    }
    if (const int status = connectController())
        return status;

    // Progress is for someone watching: one line that updates in place on a
    // terminal, nothing in a log or a pipe (only the outcome goes there).
    int lastPercent = -1;
    if (errIsTerminal()) {
        m_doc.setProgressHook([&](int done, int total) {
            const int percent = total > 0 ? done * 100 / total : 100;
            if (percent == lastPercent)
                return;
            lastPercent = percent;
            std::string line = "\r" + std::to_string(done) + "/" + std::to_string(total) + " " +
                               std::to_string(percent) + "%";
            if (done == total)
                line += "\n";
            (void)printErr(line);
        });
    }
    // A downgrade nobody can agree to here changes nothing and needs no backup.
    const bool downgradeRefused = version < m_doc.settings().m_devInfo.m_version &&
                                  !m_options.yes && ::isatty(::fileno(stdin)) == 0;
    if (!downgradeRefused && !takeBackup("flash"))
        return kExitUsage;
    m_chooser.setPath(args[0]);
    CCliPhase phase(&m_signals, CCliSignals::Phase::Uncuttable, CKorvantisDoc::kMsgHalfProgrammed);
    const DocResult result = m_doc.OnDeviceUpdate();
    m_doc.setProgressHook({});
    m_doc.stopPolling();
    return exitCodeFor(result);
}
