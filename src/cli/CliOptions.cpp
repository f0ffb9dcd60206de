#include "CliOptions.h"

#include "CliCommandTable.h"

#include <cerrno>
#include <cstdlib>

namespace vexor::cli {

bool parseInt(const std::string& text, long min, long max, long& value) {
    if (text.empty())
        return false;
    errno = 0;
    char* end = nullptr;
    const long parsed = std::strtol(text.c_str(), &end, 10);
    if (errno != 0 || end == text.c_str() || *end != '\0' || parsed < min || parsed > max)
        return false;
    value = parsed;
    return true;
}

bool parseOptions(int argc, const char* const* argv, CliOptions& options, std::string& error) {
    int i = 1;
    for (; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.empty() || arg[0] != '-')
            break;
        if (arg == "--") {
            ++i;
            break;
        }
        const SOptionSpec* entry = findOption(globalOptions(), arg);
        if (entry == nullptr) {
            error = "unknown option " + arg;
            return false;
        }
        std::string value;
        if (entry->valueName) {
            const std::size_t equals = arg.find('=');
            if (equals != std::string::npos) {
                value = arg.substr(equals + 1);
            } else if (i + 1 < argc) {
                value = argv[++i];
            } else {
                // The option's own check words the refusal of a missing value.
                (void)entry->apply(options, std::string(), error);
                if (error.empty())
                    error = std::string(entry->longName) + " needs " + entry->valueName;
                return false;
            }
        }
        if (!entry->apply(options, value, error))
            return false;
    }
    if (i < argc) {
        options.command = argv[i++];
        // "--" after the command ends its options too: what follows is taken
        // as it is, also a file name that starts with "-".
        for (; i < argc; ++i) {
            if (options.operandsFrom == static_cast<std::size_t>(-1) &&
                std::string(argv[i]) == "--") {
                options.operandsFrom = options.args.size();
                continue;
            }
            options.args.emplace_back(argv[i]);
        }
    }
    if (options.command.empty() && !options.help && !options.version) {
        error = "no command given (see --help)";
        return false;
    }
    return true;
}

std::string wrapText(const std::string& text, std::size_t indent, std::size_t firstUsed,
                     std::size_t width) {
    std::string out;
    std::size_t used = firstUsed;
    std::size_t start = 0;
    bool lineEmpty = true;
    while (start < text.size()) {
        std::size_t end = text.find(' ', start);
        if (end == std::string::npos)
            end = text.size();
        const std::string word = text.substr(start, end - start);
        start = end + 1;
        if (word.empty())
            continue;
        if (!lineEmpty && used + 1 + word.size() > width) {
            out += "\n" + std::string(indent, ' ');
            used = indent;
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++used;
        }
        out += word;
        used += word.size();
        lineEmpty = false;
    }
    return out;
}

namespace {

constexpr std::size_t kOptionColumn = 23;
constexpr std::size_t kCommandColumn = 29;

// "left  help" with the help at column, on the next line when left is wider.
std::string helpEntry(const std::string& left, const std::string& help, std::size_t column) {
    std::string out = left;
    if (left.size() + 1 > column) {
        out += "\n" + std::string(column, ' ');
    } else {
        out += std::string(column - left.size(), ' ');
    }
    return out + wrapText(help, column, column) + "\n";
}

} // namespace

std::string usageText() {
    std::string text = R"(Usage: vexor-cli [OPTIONS] COMMAND [ARGS...]

Drives an LPG/CNG gas-injection controller over a serial line with the same
core as the window program: the same connection search, commands, retries,
file formats and messages. Every command but `ports` and `doctor` first
looks for the controller (the remembered port, then the port table in order),
reads it whole, and remembers the port that answered.

Options (before the command):
)";
    for (const SOptionSpec& option : globalOptions()) {
        std::string left =
            option.shortName ? std::string("  ") + option.shortName + ", " : std::string("      ");
        left += option.longName;
        if (option.valueName)
            left += std::string(" ") + option.valueName;
        text += helpEntry(left, option.help, kOptionColumn);
    }
    text += "\nCommands (\"--\" after the command ends its options):\n";
    for (const SCommandSpec& command : commandTable()) {
        std::string left = std::string("  ") + command.name;
        if (*command.sub)
            left += std::string(" ") + command.sub;
        if (*command.synopsis)
            left += std::string(" ") + command.synopsis;
        text += helpEntry(left, command.help, kCommandColumn);
    }
    text += R"(
Before settings load, settings defaults, backups restore, flash and map
set|add|sub|clear change anything, the controller's settings are saved to
DATA/backups/SERIAL/YYYYMMDD-HHMMSS-REASON.xset (newest 100 per controller
and the first one ever taken are kept); a backup that cannot be written
stops the command with status 2 before anything is sent.

Messages go to stderr in the chosen language; results go to stdout.

Exit status:
  0  done
  1  the controller refused, a step failed, a question was answered No, or
     a block of the controller's settings could not be read (what was read
     is still printed), or stdout could not take the output (a full disk
     is named on stderr; a reader that went away is not)
  2  usage error, or a file that cannot be read or written or whose
     contents are refused (the key, line and range are named), before
     anything was sent
  3  no controller answered on any port (a port another program holds is
     named with that program); for `live`, also when the controller stayed
     away longer than --reconnect-timeout
  4  the serial port failed (the error's description is on stderr; a write
     it cut short says what it left behind and how to recover)

Signals: Ctrl-C, SIGTERM and SIGHUP stop a command at once and free the
port; during a write the controller must get whole (settings load and
defaults, flash) the first Ctrl-C only warns and a second one stops anyway.

Environment: VEXOR_PORTS (colon-separated paths added to the port table),
VEXOR_SYSTEM_PORTS=0 (same as --no-system-ports).
)";
    return text;
}

} // namespace vexor::cli
