#pragma once

#include "CliOptions.h"
#include "CliPrompt.h"
#include "doc/KorvantisDoc.h"

#include <string>
#include <vector>

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

    int cmdPorts(const Args& args);
    int cmdIdentify(const Args& args);
    int cmdStats(const Args& args);
    int cmdSettings(const Args& args);
    int cmdErrors(const Args& args);
    int cmdSwitch(const Args& args);
    int cmdLive(const Args& args);
    int cmdMap(const Args& args);
    int cmdFlash(const Args& args);
    int cmdReport(const Args& args);

    const CliOptions& m_options;
    mutable CCliPrompt m_prompt;
    CCliTimers m_timers;
    CCliChooser m_chooser;
    CKorvantisDoc m_doc;
};

namespace vexor::cli {

// Prints stdout text as it is and flushes it.
void printOut(const std::string& text);

} // namespace vexor::cli
