#pragma once

#include <string>
#include <utility>
#include <vector>

// Reading a language file strictly, to find every fault a translator could
// leave in it, and writing one in the format the program reads: UTF-16
// little-endian after a byte-order mark, CR LF line ends, three TAB-separated
// columns (Polish text, an unused column, the translation), lines of at most
// 2048 characters, line breaks and TABs inside a text escaped.
namespace vexor {

struct LangFileLine {
    int lineNumber = 0;
    std::string polish;      // unescaped, UTF-8
    std::string translation; // unescaped, UTF-8
};

struct LangFileContents {
    bool found = false;
    std::vector<LangFileLine> lines;   // the lines the program can use
    std::vector<std::string> problems; // "line 7: no second TAB", ...
};

LangFileContents readLanguageFile(const std::string& path);
LangFileContents parseLanguageFile(const std::string& bytes);

// The file's bytes for (Polish text, translation) rows in the given order.
// Throws std::invalid_argument naming the Polish text when a row would make a
// line longer than the program reads.
std::string languageFileBytes(const std::vector<std::pair<std::string, std::string>>& rows);

bool readWholeFile(const std::string& path, std::string& bytes);
bool writeWholeFile(const std::string& path, const std::string& bytes);

} // namespace vexor
