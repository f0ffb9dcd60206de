#pragma once

#include <QStringList>

#include <optional>
#include <string>
#include <vector>

namespace vexor {

// The window program's command line. Every option may be left out.
struct SAppOptions {
    std::vector<std::string> ports; // --port PATH, in the order given
    bool systemPorts = true;        // --no-system-ports clears it
    std::string configDir;          // --config-dir DIR
    std::string dataDir;            // --data-dir DIR
    std::optional<int> language;    // --lang N (0..13)
    std::optional<bool> cng;        // --module lpg|cng answers the module question
    bool splash = true;             // --no-splash clears it
    std::string offlineFile;        // --offline FILE: edit a settings file, no port search
    std::string openRecording;      // --open-recording FILE: the recording viewer alone
};

enum class EOptionsResult { Run, Exit, Error };

// Parses the arguments (the program name first). On Exit the usage or version
// text, on Error the complaint, is left in message.
EOptionsResult parseAppOptions(const QStringList& arguments, SAppOptions& options,
                               QString& message);

} // namespace vexor
