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
    int reconnectTimeout = 30; // seconds `live` tries to get a lost controller back
    bool help = false;
    bool version = false;

    std::string command;
    std::vector<std::string> args; // everything after the command
};

namespace vexor::cli {

// Parses argv. False with a one-line reason in error on a usage error.
bool parseOptions(int argc, const char* const* argv, CliOptions& options, std::string& error);

// A whole decimal number in [min, max]; false for anything else.
bool parseInt(const std::string& text, long min, long max, long& value);

// The --help text.
std::string usageText();

} // namespace vexor::cli
