#pragma once

#include <string>
#include <utility>
#include <vector>

// The translators' side of the four language files: one UTF-8 table per file
// language, one line per text, "Polish text<TAB>translation". Lines that are
// empty or start with '#' are notes. A line break or TAB inside a text is
// written \n, \r or \t, as in the language files.
namespace vexor {

struct LangSourceTable {
    std::vector<std::pair<std::string, std::string>> rows; // unescaped
    std::vector<std::string> problems;                     // "line 4: no TAB", ...
};

LangSourceTable parseSourceTable(const std::string& text);
// A missing table gives a problem, not an exception.
LangSourceTable readSourceTable(const std::string& path);

// The source table's file name for a file language ("CZECH.tsv"); empty for
// the built-in languages.
std::string sourceTableName(int language);

// Writes the four language files into outFolder from the tables in
// sourceFolder. Returns the problems found, each naming its table and line;
// a table with problems writes no file.
std::vector<std::string> generateLanguageFiles(const std::string& sourceFolder,
                                               const std::string& outFolder);

} // namespace vexor
