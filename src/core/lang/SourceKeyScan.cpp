#include "lang/SourceKeyScan.h"

#include "lang/LangFileFormat.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <filesystem>
#include <regex>
#include <string_view>

namespace vexor {

namespace {

// Functions whose text argument is looked up in the phrase table.
constexpr std::array<std::string_view, 8> kTranslatingCalls = {
    "translate",   "translateText",  "tr8",     "tr", "addMessage",
    "showMessage", "showMapFailure", "failWith"};

bool isTranslatingCall(std::string_view name) {
    return std::find(kTranslatingCalls.begin(), kTranslatingCalls.end(), name) !=
           kTranslatingCalls.end();
}

bool hasPolishLetter(std::string_view text) {
    static constexpr std::array<std::string_view, 18> kLetters = {
        "ą", "ć", "ę", "ł", "ń", "ó", "ś", "ź", "ż", "Ą", "Ć", "Ę", "Ł", "Ń", "Ó", "Ś", "Ź", "Ż"};
    return std::any_of(kLetters.begin(), kLetters.end(), [text](std::string_view letter) {
        return text.find(letter) != std::string_view::npos;
    });
}

bool isIdentChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

class CScanner {
public:
    CScanner(const std::string& source, const std::string& file) : m_src(source), m_file(file) {}

    std::vector<SourceKey> run() {
        while (m_pos < m_src.size()) {
            const char c = m_src[m_pos];
            if (startsWith("//")) {
                skipTo("\n");
            } else if (startsWith("/*")) {
                m_pos += 2;
                skipTo("*/");
                m_pos += 2;
            } else if (c == '"') {
                literalGroup();
            } else if (c == '\'') {
                skipQuoted('\'');
            } else if (c == 'R' && startsWith("R\"")) {
                skipRawString();
            } else if (isIdentChar(c)) {
                identifier();
            } else {
                punctuation(c);
                ++m_pos;
            }
        }
        return std::move(m_keys);
    }

private:
    bool startsWith(std::string_view text) const {
        return m_src.compare(m_pos, text.size(), text) == 0;
    }

    void skipTo(std::string_view end) {
        const size_t found = m_src.find(end, m_pos);
        advanceTo(found == std::string::npos ? m_src.size() : found);
    }

    void advanceTo(size_t pos) {
        m_line += static_cast<int>(std::count(m_src.begin() + static_cast<long>(m_pos),
                                              m_src.begin() + static_cast<long>(pos), '\n'));
        m_pos = pos;
    }

    void skipQuoted(char quote) {
        size_t pos = m_pos + 1;
        while (pos < m_src.size() && m_src[pos] != quote && m_src[pos] != '\n')
            pos += m_src[pos] == '\\' ? 2 : 1;
        advanceTo(std::min(pos + 1, m_src.size()));
    }

    void skipRawString() {
        const size_t open = m_src.find('(', m_pos);
        if (open == std::string::npos)
            return advanceTo(m_src.size());
        const std::string close = ")" + m_src.substr(m_pos + 2, open - m_pos - 2) + "\"";
        const size_t end = m_src.find(close, open);
        advanceTo(end == std::string::npos ? m_src.size() : end + close.size());
    }

    void identifier() {
        const size_t start = m_pos;
        while (m_pos < m_src.size() && isIdentChar(m_src[m_pos]))
            ++m_pos;
        m_lastIdent = m_src.substr(start, m_pos - start);
    }

    void punctuation(char c) {
        if (c == '(') {
            m_calls.push_back(m_lastIdent);
        } else if (c == ')') {
            if (!m_calls.empty())
                m_calls.pop_back();
        } else if (c == ';') {
            m_declared.clear();
            m_calls.clear();
        } else if (c == '\n') {
            ++m_line;
        } else if (c == '=' && m_lastIdent.rfind("kMsg", 0) == 0) {
            // "kMsgX = ...": the message constant's text follows.
            m_declared = m_lastIdent;
        }
        if (!std::isspace(static_cast<unsigned char>(c)) && c != '=')
            m_lastIdent.clear();
    }

    // One literal, or several written side by side (C++ joins them).
    void literalGroup() {
        const int line = m_line;
        std::string text;
        for (;;) {
            text += literal();
            size_t next = m_pos;
            while (next < m_src.size() && std::isspace(static_cast<unsigned char>(m_src[next])))
                ++next;
            if (next >= m_src.size() || m_src[next] != '"')
                break;
            advanceTo(next);
        }
        const bool viaCall = !m_calls.empty() && isTranslatingCall(m_calls.back());
        const bool constant = !m_declared.empty() && m_calls.empty();
        if (viaCall || constant || hasPolishLetter(text))
            m_keys.push_back({text, m_file + ":" + std::to_string(line), viaCall || constant});
        m_lastIdent.clear();
    }

    std::string literal() {
        std::string text;
        size_t pos = m_pos + 1;
        while (pos < m_src.size() && m_src[pos] != '"' && m_src[pos] != '\n') {
            if (m_src[pos] == '\\' && pos + 1 < m_src.size()) {
                const char e = m_src[pos + 1];
                text.push_back(e == 'n' ? '\n' : e == 'r' ? '\r' : e == 't' ? '\t' : e);
                pos += 2;
            } else {
                text.push_back(m_src[pos++]);
            }
        }
        advanceTo(std::min(pos + 1, m_src.size()));
        return text;
    }

    const std::string& m_src;
    const std::string& m_file;
    size_t m_pos = 0;
    int m_line = 1;
    std::string m_lastIdent;
    std::string m_declared;
    std::vector<std::string> m_calls;
    std::vector<SourceKey> m_keys;
};

bool skipped(const std::filesystem::path& relative) {
    for (const auto& part : relative) {
        if (part == "lang" || part == "texts" || part == "sim")
            return true;
    }
    return false;
}

std::vector<std::filesystem::path> sourceFiles(const std::string& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code error;
    for (auto it = std::filesystem::recursive_directory_iterator(folder, error);
         !error && it != std::filesystem::recursive_directory_iterator(); it.increment(error)) {
        const auto ext = it->path().extension();
        if (it->is_regular_file() && (ext == ".cpp" || ext == ".h"))
            files.push_back(it->path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

} // namespace

std::vector<SourceKey> scanSourceText(const std::string& source, const std::string& file) {
    return CScanner(source, file).run();
}

std::vector<SourceKey> scanSourceKeys(const std::string& folder) {
    std::vector<SourceKey> keys;
    for (const auto& path : sourceFiles(folder)) {
        const auto relative = std::filesystem::relative(path, folder);
        std::string text;
        if (skipped(relative.parent_path()) || !readWholeFile(path.string(), text))
            continue;
        for (SourceKey& key : scanSourceText(text, relative.generic_string()))
            keys.push_back(std::move(key));
    }
    return keys;
}

std::vector<std::string> scanTextClasses(const std::string& folder) {
    static const std::regex kDeclaration(R"(class\s+(C\w+Texts)\s*:\s*public\s+CMultiLang)");
    std::vector<std::string> names;
    for (const auto& path : sourceFiles(folder)) {
        std::string text;
        if (path.extension() != ".h" || !readWholeFile(path.string(), text))
            continue;
        for (std::sregex_iterator it(text.begin(), text.end(), kDeclaration), end; it != end; ++it)
            names.push_back((*it)[1]);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace vexor
