#pragma once

#include <optional>
#include <string>
#include <vector>

// The options in front of the command, the command and its arguments.
struct CliOptions {
    std::vector<std::string> ports; // --port, in the order given
    bool noSystemPorts = false;
    bool demo = false;
    std::optional<int> language; // --lang
    bool cng = false;
    std::string configDir;
    std::string dataDir;
    bool yes = false;
    bool noBackup = false;
    bool json = false;         // print JSON instead of text
    int reconnectTimeout = 30; // seconds `live` tries to get a lost controller back
    bool help = false;
    bool version = false;

    std::string command;
    std::vector<std::string> args; // everything after the command but its first "--"
    // Index in args from which on nothing is an option: where "--" stood.
    std::size_t operandsFrom = static_cast<std::size_t>(-1);

    // Whether args[index] may be read as an option of the command.
    bool optionAt(std::size_t index) const { return index < operandsFrom; }
};

namespace vexor::cli {

// Parses argv. False with a one-line reason in error on a usage error.
bool parseOptions(int argc, const char* const* argv, CliOptions& options, std::string& error);

// A whole decimal number in [min, max]; false for anything else.
bool parseInt(const std::string& text, long min, long max, long& value);

// The --help text, from the command table.
std::string usageText();

// text wrapped to width, each line after `first` indented by indent spaces;
// first is the part of the first line already taken.
std::string wrapText(const std::string& text, std::size_t indent, std::size_t firstUsed,
                     std::size_t width = 79);

} // namespace vexor::cli
