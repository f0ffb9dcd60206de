#pragma once

#include <QStringList>

#include <functional>

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

// Whether the windows have somewhere to go: a platform chosen by argument or
// QT_QPA_PLATFORM, or an X or Wayland display named in the environment.
// Without one the window system would abort the program; it says instead
// what it needs (left in message) and ends with status 1.
bool windowSystemReachable(const QStringList& arguments,
                           const std::function<QString(const char*)>& environment,
                           QString& message);

} // namespace vexor
