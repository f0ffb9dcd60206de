// `backups`: the automatic backups taken before a command changes the
// controller's settings, listed and restored.

#include "CliCommands.h"
#include "CliFormat.h"
#include "CliJson.h"
#include "CliOutput.h"

#include "backup/BackupStore.h"
#include "backup/RawRestorePlan.h"
#include "lang/Translate.h"

#include <ctime>

using namespace vexor::cli;

namespace {

constexpr const char* kMsgBackupFailed = "Nie można zapisać kopii zapasowej ustawień";
constexpr const char* kMsgNoSuchBackup = "Nie ma takiej kopii zapasowej";

} // namespace

bool CCliCommands::takeBackup(const char* reason) {
    if (m_options.noBackup || m_doc.isDemo())
        return true;
    const CBackupStore store(m_doc.dataFolder());
    std::string id;
    std::string error;
    if (store.take(m_doc.settings(), reason, std::time(nullptr), id, error, &m_doc.rawImage()))
        return true;
    m_prompt.message(vexor::translate(kMsgBackupFailed) + "\n" + error, IUserPrompt::Icon::Error);
    return false;
}

int CCliCommands::cmdBackups(const Args& args) {
    if (!args.empty() && args[0] == "restore") {
        if (args.size() != 2 || args[1].empty())
            return usage("backups restore needs one ID");
        const CBackupStore store(m_doc.dataFolder());
        CBackupStore::SEntry entry;
        if (!store.find(args[1], entry)) {
            m_prompt.message(vexor::translate(kMsgNoSuchBackup) + ": " + args[1],
                             IUserPrompt::Icon::Error);
            return kExitUsage;
        }
        // Every restore backs up what it replaces first.
        m_backupReason = "restore";
        SRawRestorePlan plan = SRawRestorePlan::forBackup(entry.path);
        if (plan.usable()) {
            if (const int status = connectController())
                return status;
            plan.checkController(m_doc.settings());
            if (plan.usable()) {
                CCliPhase phase(&m_signals, CCliSignals::Phase::Uncuttable,
                                CKorvantisDoc::kMsgHalfWritten);
                return exitCodeFor(m_doc.OnRestoreRaw(plan.backup.image));
            }
        }
        // Without raw blocks the settings file is loaded, as a settings load.
        m_prompt.message(plan.fallbackMessage(), IUserPrompt::Icon::Warning);
        return cmdSettings({"load", entry.path});
    }

    std::string serial;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool option = m_options.optionAt(i);
        if (option && args[i] == "--serial" && i + 1 < args.size() && !args[i + 1].empty())
            serial = args[++i];
        else if (option && args[i].rfind("--serial=", 0) == 0 && args[i].size() > 9)
            serial = args[i].substr(9);
        else
            return usage("backups takes --serial S or restore ID");
    }
    const CBackupStore store(m_doc.dataFolder());
    std::string text;
    std::vector<std::vector<std::string>> rows;
    for (const CBackupStore::SEntry& e : store.list(serial)) {
        text += e.id + "\t" + e.time + "\t" + e.reason + "\t" + e.serial + "\n";
        rows.push_back({e.id, e.time, e.reason, e.serial});
    }
    printOut(m_options.json ? jsonObjects({{"id"}, {"time"}, {"reason"}, {"serial"}}, rows) : text);
    return kExitDone;
}
