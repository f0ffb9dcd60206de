#pragma once

#include "CliCommandTable.h"
#include "CliOptions.h"
#include "CliPrompt.h"
#include "CliSignals.h"
#include "doc/KorvantisDoc.h"
#include "settings/SettingsDiff.h"

#include <string>
#include <vector>

struct SLiveState;

// Runs one command of the command line on a document of its own and returns
// the exit status. Messages go through the prompt to stderr, results to stdout.
class CCliCommands {
public:
    explicit CCliCommands(const CliOptions& options);
    ~CCliCommands();
    CCliCommands(const CCliCommands&) = delete;
    CCliCommands& operator=(const CCliCommands&) = delete;

    int run();

private:
    using Args = std::vector<std::string>;
    // The table names the command handlers below.
    friend const std::vector<vexor::cli::SCommandSpec>& vexor::cli::commandTable();

    int dispatch();
    // The ordinary connection search and whole read; 0 or kExitNoController.
    // Stops with kExitFailed (and says which blocks) when the whole-image
    // read left blocks unread: nothing below may act on values never read.
    int connectController();
    // The search and read alone: 0 or kExitNoController.
    int connectOnly();
    // 0 when the image is complete, else the message and kExitFailed.
    int imageStatus() const;
    int usage(const std::string& reason) const;
    void message(const char* polish) const;
    // The message and, on a line of its own, what exactly was refused.
    void messageWith(const char* polish, const std::string& detail) const;
    // A file refused before anything is sent: the message, marked as this
    // program's, and on a line of its own the file and why.
    void fileRefusal(const char* polish, const std::string& detail) const;

    int cmdPorts(const Args& args);
    int cmdIdentify(const Args& args);
    int cmdStats(const Args& args);
    int cmdDoctor(const Args& args);
    int cmdSettings(const Args& args);
    int cmdErrors(const Args& args);
    int cmdSwitch(const Args& args);
    int cmdLive(const Args& args);
    int cmdMap(const Args& args);
    // `map propose FILE... [options]`; args[0] is "propose".
    int cmdMapPropose(const Args& args);
    int cmdFlash(const Args& args);
    int cmdObd(const Args& args);
    // obd readiness, pending, permanent, freeze and vin on a page logic that
    // has found the car's link.
    int obdScan(class CObdPageModel& obd, const std::string& what);
    int cmdSettingsDiff(const Args& args);
    int cmdSettingsSet(const Args& args);
    int cmdBackups(const Args& args);
    int cmdHistory(const Args& args);
    // Adds an event to the connected controller's visit log (not in
    // demonstration mode); a log that cannot be written is passed over.
    void recordVisit(const char* kind, const std::vector<std::string>& fields);
    void recordConnection();

    // Saves the automatic backup of the controller's settings before a
    // change (not with --no-backup, not in demonstration mode). False, with
    // the reason told, when it could not be written: nothing may be sent then.
    bool takeBackup(const char* reason);
    // Reads a settings file for diff or set; false (the problem told) when
    // it is refused.
    bool readSettingsArgument(const std::string& path, DeviceSettings& target);
    void printDifferences(const std::vector<vexor::SettingDifference>& differences);
    // Prints records until the count is reached, the user stops, the
    // recording fails, or the controller stays away after polling ended.
    int followLive(SLiveState& state, const std::string& record);
    int cmdReport(const Args& args);

    const CliOptions& m_options;
    // First, so that it is the last to go: signals are watched until the
    // document has stopped polling and closed its port.
    CCliSignals m_signals;
    mutable CCliPrompt m_prompt;
    CCliTimers m_timers;
    CCliChooser m_chooser;
    CKorvantisDoc m_doc;
    // Reason of the backup the document's change guard takes.
    const char* m_backupReason = "load";
};
