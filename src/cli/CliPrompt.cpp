#include "CliPrompt.h"

#include <algorithm>
#include <cctype>
#include <unistd.h>

CCliPrompt::CCliPrompt(bool autoYes, std::FILE* in, std::FILE* err)
    : m_autoYes(autoYes), m_in(in), m_err(err) {}

void CCliPrompt::message(const std::string& text, Icon icon) {
    (void)icon;
    std::fprintf(m_err, "%s\n", text.c_str());
    std::fflush(m_err);
}

bool CCliPrompt::ask(const std::string& text, bool defaultYes) {
    // The window program's default button does not count here: a script that
    // did not say --yes has not agreed to anything.
    (void)defaultYes;
    std::fprintf(m_err, "%s [y/N] ", text.c_str());
    const bool manual = std::find(m_manual.begin(), m_manual.end(), text) != m_manual.end();
    if (m_autoYes && !manual) {
        std::fprintf(m_err, "y\n");
        std::fflush(m_err);
        return true;
    }
    if (!m_in || !::isatty(::fileno(m_in))) {
        std::fprintf(m_err, "n\n");
        std::fflush(m_err);
        return false;
    }
    std::fflush(m_err);
    char line[64];
    if (!std::fgets(line, sizeof line, m_in))
        return false;
    const char first = static_cast<char>(std::tolower(static_cast<unsigned char>(line[0])));
    // "t" for "tak": the questions themselves may be in Polish.
    return first == 'y' || first == 't';
}
