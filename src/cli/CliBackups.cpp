// `backups`: the automatic backups taken before a command changes the
// controller's settings, listed and restored.

#include "CliCommands.h"
#include "CliFormat.h"

#include "backup/BackupStore.h"
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
    if (store.take(m_doc.settings(), reason, std::time(nullptr), id, error))
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
        // A settings load of the backup, which backs up what it replaces.
        m_backupReason = "restore";
        return cmdSettings({"load", entry.path});
    }

    std::string serial;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--serial" && i + 1 < args.size() && !args[i + 1].empty())
            serial = args[++i];
        else if (args[i].rfind("--serial=", 0) == 0 && args[i].size() > 9)
            serial = args[i].substr(9);
        else
            return usage("backups takes --serial S or restore ID");
    }
    const CBackupStore store(m_doc.dataFolder());
    std::string text;
    for (const CBackupStore::SEntry& e : store.list(serial))
        text += e.id + "\t" + e.time + "\t" + e.reason + "\t" + e.serial + "\n";
    printOut(text);
    return kExitDone;
}
