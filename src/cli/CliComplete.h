#pragma once

#include <string>
#include <vector>

// Shell completion answered by the program from its command table, so the
// shells' scripts stay a few lines and can never offer a command or option
// the parser does not know. The scripts run
//     vexor-cli __complete WORD... CURRENT
// with the words typed after the program name, the last one the word being
// completed (empty after a space), and read back the first line, what to
// complete ("words", "files" or "folders"), then the candidates one a line.
namespace vexor::cli {

inline constexpr const char* kCompleteCommand = "__complete";

struct SCompletion {
    enum class Kind { Words, Files, Folders };
    Kind kind = Kind::Words;
    std::vector<std::string> words; // candidates that start with the current word
};

SCompletion complete(const std::vector<std::string>& words);

// The answer as the scripts read it.
std::string completionText(const SCompletion& completion);

} // namespace vexor::cli
