#pragma once

#include "CliOptions.h"

#include <cstddef>
#include <string>
#include <vector>

class CCliCommands;

// The one description of vexor-cli's options and commands. The parser, the
// dispatcher, --help and shell completion all read it, so a command added
// here is known to all of them at once (and the manual-page check sees it in
// --help).
namespace vexor::cli {

// What a word on the command line stands for, and so what completes it.
enum class WordKind {
    None,        // anything: nothing to offer
    File,        // a file name
    Folder,      // a folder name
    Port,        // a serial device of the port table
    Language,    // a language index
    BackupId,    // an automatic backup's ID
    SettingsKey, // a key of the settings file named before it
};

struct SOptionSpec {
    const char* shortName = nullptr; // "-p", or nullptr
    const char* longName = nullptr;  // "--port"
    const char* valueName = nullptr; // "PATH"; nullptr for a switch
    WordKind value = WordKind::None;
    const char* help = "";
    // Takes the value (or the switch) into options; false with a one-line
    // reason for a refused value. Only for the options before the command.
    bool (*apply)(CliOptions& options, const std::string& value, std::string& error) = nullptr;
};

inline constexpr std::size_t kNoRepeat = static_cast<std::size_t>(-1);

using CommandHandler = int (CCliCommands::*)(const std::vector<std::string>& args);

struct SCommandSpec {
    const char* name;     // "settings"
    const char* sub;      // "show"; alternatives as "petrol|gas|auto"; "" for none
    const char* synopsis; // the rest of the line as --help shows it
    const char* help;
    std::vector<SOptionSpec> options; // options after the command
    std::vector<WordKind> operands;   // what each operand is, in order
    // Operands from this one on repeat as a group (FILE..., KEY VALUE ...).
    std::size_t repeatFrom = kNoRepeat;
    CommandHandler handler = nullptr;
};

const std::vector<SOptionSpec>& globalOptions();
const std::vector<SCommandSpec>& commandTable();

// The option that arg names ("--port", "--port=x", "-p"), or nullptr.
const SOptionSpec* findOption(const std::vector<SOptionSpec>& options, const std::string& arg);

// The sub-command words of an entry ("petrol|gas|auto" -> three).
std::vector<std::string> subWords(const SCommandSpec& entry);

} // namespace vexor::cli
