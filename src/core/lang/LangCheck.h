#pragma once

#include "lang/SourceKeyScan.h"
#include "lang/TextEntry.h"

#include <string>
#include <vector>

// Whether every text the program can show exists in all fourteen languages:
// every entry of every text object and of the phrase table in each built-in
// language, a line for each of their Polish texts in each language file, well
// formed files, and a phrase for every key the sources translate.
namespace vexor {

struct TextTable {
    std::string name; // "CViewTexts", "phrase table"
    std::vector<LangPairs> entries;
};

struct LangCheckInput {
    std::vector<TextTable> tables;
    std::string languageFolder; // where CZECH.csv & co. lie
    std::vector<SourceKey> sourceKeys;
    std::vector<std::string> textClassesInSources; // each must name a table
};

struct LangCheckReport {
    std::vector<std::string> tableNames;
    // missing[language][table]: entries without a text of their own.
    std::vector<std::vector<int>> missing;
    // One line per fault, saying which text is missing where.
    std::vector<std::string> problems;
    // Lines of the language files that no table looks up (not a fault).
    std::vector<int> unusedLines;

    bool ok() const { return problems.empty(); }
    int missingTotal() const;
};

// The phrase table as a check table.
TextTable phraseTable();

LangCheckReport checkLanguages(const LangCheckInput& input);

// The table (text objects down, languages across, counts of missing entries),
// then every problem.
std::string formatReport(const LangCheckReport& report);

} // namespace vexor
