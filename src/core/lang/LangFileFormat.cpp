#include "lang/LangFileFormat.h"

#include "lang/LangFile.h"
#include "lang/LineEscape.h"
#include "lang/Utf16.h"

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace vexor {

namespace {

std::string lineProblem(int lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

// Checks one line (without its LF) and adds it to the contents when usable.
void takeLine(std::u16string line, int lineNumber, bool lastLine, LangFileContents& contents,
              std::map<std::string, int>& firstLineOfKey) {
    if (!line.empty() && line.back() == u'\r')
        line.pop_back();
    else if (!lastLine)
        contents.problems.push_back(lineProblem(lineNumber, "ends without CR LF"));
    if (line.empty())
        return;
    if (lastLine)
        contents.problems.push_back(lineProblem(lineNumber, "the last line lacks its CR LF"));
    if (line.size() > CLangFile::kMaxLineChars) {
        contents.problems.push_back(lineProblem(lineNumber, "longer than 2048 characters"));
        return;
    }
    const size_t first = line.find(u'\t');
    const size_t second = first == std::u16string::npos ? first : line.find(u'\t', first + 1);
    if (second == std::u16string::npos) {
        contents.problems.push_back(
            lineProblem(lineNumber, first == std::u16string::npos ? "no TAB" : "no second TAB"));
        return;
    }
    LangFileLine entry;
    entry.lineNumber = lineNumber;
    entry.polish = unescapeLineText(utf16ToUtf8(line.substr(0, first)));
    entry.translation = unescapeLineText(utf16ToUtf8(line.substr(second + 1)));
    if (entry.translation.empty()) {
        contents.problems.push_back(lineProblem(lineNumber, "empty translation"));
        return;
    }
    const auto [earlier, isNew] = firstLineOfKey.emplace(entry.polish, lineNumber);
    if (!isNew) {
        contents.problems.push_back(lineProblem(lineNumber, "repeats the Polish text of line " +
                                                                std::to_string(earlier->second)));
        return;
    }
    contents.lines.push_back(std::move(entry));
}

} // namespace

LangFileContents parseLanguageFile(const std::string& bytes) {
    LangFileContents contents;
    contents.found = true;
    size_t pos = 0;
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE)
        pos = 2;
    else
        contents.problems.push_back("no byte-order mark (FF FE)");
    if (bytes.size() % 2 != 0)
        contents.problems.push_back("ends inside a character (odd number of bytes)");

    std::map<std::string, int> firstLineOfKey;
    std::u16string line;
    int lineNumber = 1;
    for (; pos + 1 < bytes.size(); pos += 2) {
        const auto unit = static_cast<char16_t>(static_cast<unsigned char>(bytes[pos]) |
                                                (static_cast<unsigned char>(bytes[pos + 1]) << 8));
        if (unit == u'\n') {
            takeLine(std::move(line), lineNumber++, false, contents, firstLineOfKey);
            line.clear();
        } else {
            line.push_back(unit);
        }
    }
    if (!line.empty())
        takeLine(std::move(line), lineNumber, true, contents, firstLineOfKey);
    return contents;
}

LangFileContents readLanguageFile(const std::string& path) {
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return {};
    return parseLanguageFile(bytes);
}

std::string languageFileBytes(const std::vector<std::pair<std::string, std::string>>& rows) {
    std::u16string text = u"\uFEFF";
    for (const auto& [polish, translation] : rows) {
        const std::u16string line = utf8ToUtf16(escapeLineText(polish)) + u"\t\t" +
                                    utf8ToUtf16(escapeLineText(translation));
        if (line.size() > CLangFile::kMaxLineChars)
            throw std::invalid_argument("line longer than 2048 characters: " + polish);
        text += line;
        text += u"\r\n";
    }
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    return bytes;
}

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

} // namespace vexor
