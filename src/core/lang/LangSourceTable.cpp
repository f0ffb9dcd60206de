#include "lang/LangSourceTable.h"

#include "lang/LangFileFormat.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/LineEscape.h"

#include <set>
#include <stdexcept>

namespace vexor {

LangSourceTable parseSourceTable(const std::string& text) {
    LangSourceTable table;
    std::set<std::string> seen;
    size_t start = 0;
    for (int lineNumber = 1; start < text.size(); ++lineNumber) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        const std::string where = "line " + std::to_string(lineNumber) + ": ";
        const size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            table.problems.push_back(where + "no TAB between the Polish text and the translation");
            continue;
        }
        std::string polish = unescapeLineText(line.substr(0, tab));
        std::string translation = unescapeLineText(line.substr(tab + 1));
        if (polish.empty() || translation.empty()) {
            table.problems.push_back(where + "empty Polish text or translation");
            continue;
        }
        if (!seen.insert(polish).second) {
            table.problems.push_back(where + "the Polish text is listed twice");
            continue;
        }
        table.rows.emplace_back(std::move(polish), std::move(translation));
    }
    return table;
}

LangSourceTable readSourceTable(const std::string& path) {
    std::string text;
    if (!readWholeFile(path, text)) {
        LangSourceTable missing;
        missing.problems.push_back("cannot be read");
        return missing;
    }
    return parseSourceTable(text);
}

std::string sourceTableName(int language) {
    const std::string file = languageFileName(language);
    if (file.empty())
        return {};
    return file.substr(0, file.rfind('.')) + ".tsv";
}

std::vector<std::string> generateLanguageFiles(const std::string& sourceFolder,
                                               const std::string& outFolder) {
    std::vector<std::string> problems;
    for (int language = 0; language < kLanguageCount; ++language) {
        if (!isFileLanguage(language))
            continue;
        const std::string name = sourceTableName(language);
        const LangSourceTable table = readSourceTable(sourceFolder + "/" + name);
        for (const std::string& problem : table.problems)
            problems.push_back(name + " " + problem);
        if (!table.problems.empty())
            continue;
        try {
            const std::string path = outFolder + "/" + languageFileName(language);
            if (!writeWholeFile(path, languageFileBytes(table.rows)))
                problems.push_back(path + ": cannot be written");
        } catch (const std::invalid_argument& tooLong) {
            problems.push_back(name + ": " + tooLong.what());
        }
    }
    return problems;
}

} // namespace vexor
