#include "CliPrompt.h"

#include "CliOutput.h"
#include "lang/Translate.h"

#include <algorithm>
#include <cctype>
#include <unistd.h>

CCliPrompt::CCliPrompt(bool autoYes, std::FILE* in, std::FILE* err)
    : m_autoYes(autoYes), m_in(in), m_err(err) {}

namespace {

// A question asked where nobody can answer it.
constexpr const char* kMsgAnsweredNo = "Brak terminala: odpowiedź Nie na pytanie:";
constexpr const char* kMsgYesAnswers = "(--yes odpowiada Tak)";

// The question on one line: a log reader sees one line per question.
std::string oneLine(const std::string& text) {
    std::string line = text;
    std::replace(line.begin(), line.end(), '\n', ' ');
    std::replace(line.begin(), line.end(), '\r', ' ');
    return line;
}

} // namespace

void CCliPrompt::say(const std::string& text) {
    std::fputs(text.c_str(), m_err);
    if (std::fflush(m_err) != 0 || std::ferror(m_err))
        vexor::cli::noteErrFailed();
}

void CCliPrompt::message(const std::string& text, Icon icon) {
    (void)icon;
    say(text + "\n");
}

bool CCliPrompt::ask(const std::string& text, bool defaultYes) {
    // The window program's default button does not count here: a script that
    // did not say --yes has not agreed to anything.
    (void)defaultYes;
    const bool manual = std::find(m_manual.begin(), m_manual.end(), text) != m_manual.end();
    if (m_autoYes && !manual) {
        say(text + " [y/N] y\n");
        return true;
    }
    if (!m_in || !::isatty(::fileno(m_in))) {
        // Not shown as a prompt nobody could answer: one line saying what was
        // decided, and how a script says Yes where it may.
        std::string line = vexor::translate(kMsgAnsweredNo) + " " + oneLine(text);
        if (!manual)
            line += " " + vexor::translate(kMsgYesAnswers);
        say(line + "\n");
        return false;
    }
    say(text + " [y/N] ");
    char line[64];
    if (!std::fgets(line, sizeof line, m_in))
        return false;
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
    // "t" for "tak": the questions themselves may be in Polish.
    return first == 'y' || first == 't';
}
