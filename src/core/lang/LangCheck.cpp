#include "lang/LangCheck.h"

#include "lang/LangFileFormat.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/LineEscape.h"
#include "lang/PhraseTableData.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

namespace vexor {

namespace {

// Short column heads for the table, in index order.
constexpr const char* kLanguageCodes[kLanguageCount] = {"pl", "en", "ru", "de", "tr", "cs", "hr",
                                                        "sl", "lt", "it", "es", "pt", "th", "hu"};

std::string quoted(const std::string& text) {
    return "\"" + escapeLineText(text) + "\"";
}

std::string polishOf(const LangPairs& entry) {
    const std::string* polish = pairText(entry, kLangPolish);
    return polish ? *polish : std::string();
}

void checkBuiltIn(const LangCheckInput& input, int language, LangCheckReport& report) {
    for (size_t t = 0; t < input.tables.size(); ++t) {
        const TextTable& table = input.tables[t];
        for (const LangPairs& entry : table.entries) {
            const std::string* own = pairText(entry, language);
            if (own && !own->empty())
                continue;
            ++report.missing[static_cast<size_t>(language)][t];
            report.problems.push_back(languageName(language) + ": " + table.name +
                                      ": no text for " + quoted(polishOf(entry)));
        }
    }
}

void checkFile(const LangCheckInput& input, int language, LangCheckReport& report) {
    const std::string fileName = languageFileName(language);
    const LangFileContents contents = readLanguageFile(input.languageFolder + "/" + fileName);
    const std::string head = languageName(language) + " (" + fileName + ")";
    if (!contents.found)
        report.problems.push_back(head + ": the file is missing");
    for (const std::string& problem : contents.problems)
        report.problems.push_back(head + ": " + problem);

    std::set<std::string> keys;
    for (const LangFileLine& line : contents.lines)
        keys.insert(line.polish);
    std::set<std::string> looked;
    for (size_t t = 0; t < input.tables.size(); ++t) {
        const TextTable& table = input.tables[t];
        for (const LangPairs& entry : table.entries) {
            const std::string polish = polishOf(entry);
            looked.insert(polish);
            if (keys.count(polish))
                continue;
            ++report.missing[static_cast<size_t>(language)][t];
            if (contents.found)
                report.problems.push_back(head + ": " + table.name + ": no line for " +
                                          quoted(polish));
        }
    }
    report.unusedLines[static_cast<size_t>(language)] = static_cast<int>(
        std::count_if(keys.begin(), keys.end(), [&](const auto& k) { return !looked.count(k); }));
}

void checkSources(const LangCheckInput& input, LangCheckReport& report) {
    std::set<std::string> phrases;
    std::set<std::string> anyKey;
    for (const TextTable& table : input.tables) {
        for (const LangPairs& entry : table.entries) {
            anyKey.insert(polishOf(entry));
            if (table.name == "phrase table")
                phrases.insert(polishOf(entry));
        }
    }
    for (const SourceKey& key : input.sourceKeys) {
        if (key.mustBePhrase && !phrases.count(key.text))
            report.problems.push_back("src/" + key.where + ": " + quoted(key.text) +
                                      " is translated but is not in the phrase table");
        else if (!key.mustBePhrase && !anyKey.count(key.text))
            report.problems.push_back("src/" + key.where + ": the Polish text " + quoted(key.text) +
                                      " is in no text object and not in the phrase table");
    }
    std::set<std::string> tableNames;
    for (const TextTable& table : input.tables)
        tableNames.insert(table.name);
    for (const std::string& name : input.textClassesInSources) {
        if (!tableNames.count(name))
            report.problems.push_back(name + ": a text class the check does not know; add it to "
                                             "allTextObjects()");
    }
}

} // namespace

int LangCheckReport::missingTotal() const {
    int total = 0;
    for (const auto& row : missing)
        for (int count : row)
            total += count;
    return total;
}

TextTable phraseTable() {
    TextTable table{"phrase table", {}};
    for (const PhraseRow& row : phraseRows()) {
        TextSlots slots;
        for (size_t i = 0; i < row.size(); ++i)
            slots[i] = row[i] ? row[i] : "";
        table.entries.push_back(pairsFromSlots(slots));
    }
    return table;
}

LangCheckReport checkLanguages(const LangCheckInput& input) {
    LangCheckReport report;
    for (const TextTable& table : input.tables)
        report.tableNames.push_back(table.name);
    report.missing.assign(kLanguageCount, std::vector<int>(input.tables.size(), 0));
    report.unusedLines.assign(kLanguageCount, 0);
    for (int language = 0; language < kLanguageCount; ++language) {
        if (isFileLanguage(language))
            checkFile(input, language, report);
        else
            checkBuiltIn(input, language, report);
    }
    checkSources(input, report);
    return report;
}

std::string formatReport(const LangCheckReport& report) {
    size_t width = 12;
    for (const std::string& name : report.tableNames)
        width = std::max(width, name.size());
    std::string out;
    char cell[16];
    out += std::string(width, ' ');
    for (const char* code : kLanguageCodes) {
        std::snprintf(cell, sizeof cell, "%5s", code);
        out += cell;
    }
    out += "\n";
    const auto row = [&](const std::string& name, auto countOf) {
        out += name + std::string(width - name.size(), ' ');
        for (int language = 0; language < kLanguageCount; ++language) {
            std::snprintf(cell, sizeof cell, "%5d", countOf(static_cast<size_t>(language)));
            out += cell;
        }
        out += "\n";
    };
    for (size_t t = 0; t < report.tableNames.size(); ++t)
        row(report.tableNames[t], [&](size_t language) { return report.missing[language][t]; });
    row("missing", [&](size_t language) {
        int sum = 0;
        for (int count : report.missing[language])
            sum += count;
        return sum;
    });
    row("unused lines", [&](size_t language) { return report.unusedLines[language]; });
    out += "\n";
    for (const std::string& problem : report.problems)
        out += problem + "\n";
    out += report.ok() ? "All fourteen languages are complete.\n"
                       : std::to_string(report.problems.size()) + " problem(s).\n";
    return out;
}

} // namespace vexor
