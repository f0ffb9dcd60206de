// vexor-lang-tool generate <source-folder> <language-folder>
// vexor-lang-tool check <src-folder> <language-folder>
// vexor-lang-tool todo <source-folder> <LANGUAGE>   (CZECH, LITHUANIAN, THAI, HUNG)
#include "lang/LangCheck.h"
#include "lang/LangSourceTable.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/LineEscape.h"
#include "texts/TextObjects.h"

#include <cstdio>
#include <iostream>
#include <set>
#include <string>

namespace {

int generate(const std::string& sourceFolder, const std::string& languageFolder) {
    const std::vector<std::string> problems =
        vexor::generateLanguageFiles(sourceFolder, languageFolder);
    for (const std::string& problem : problems)
        std::cerr << problem << "\n";
    return problems.empty() ? 0 : 1;
}

int check(const std::string& srcFolder, const std::string& languageFolder) {
    vexor::LangCheckInput input;
    input.tables = vexor::allTextTables();
    input.languageFolder = languageFolder;
    input.sourceKeys = vexor::scanSourceKeys(srcFolder);
    input.textClassesInSources = vexor::scanTextClasses(srcFolder);
    const vexor::LangCheckReport report = vexor::checkLanguages(input);
    std::cout << vexor::formatReport(report);
    return report.ok() ? 0 : 1;
}

// Lines ready to translate: every Polish text the table lacks, with the
// English text as a note above it.
int todo(const std::string& sourceFolder, const std::string& fileName) {
    int language = -1;
    for (int i = 0; i < vexor::kLanguageCount; ++i) {
        if (vexor::sourceTableName(i) == fileName + ".tsv")
            language = i;
    }
    if (language < 0) {
        std::cerr << "unknown file language: " << fileName << "\n";
        return 2;
    }
    std::set<std::string> have;
    for (const auto& row : vexor::readSourceTable(sourceFolder + "/" + fileName + ".tsv").rows)
        have.insert(row.first);
    for (const vexor::TextTable& table : vexor::allTextTables()) {
        for (const vexor::LangPairs& entry : table.entries) {
            const std::string polish = *vexor::pairText(entry, vexor::kLangPolish);
            if (!have.insert(polish).second)
                continue;
            const std::string* english = vexor::pairText(entry, vexor::kLangEnglish);
            std::cout << "# " << table.name << ": "
                      << vexor::escapeLineText(english ? *english : std::string()) << "\n"
                      << vexor::escapeLineText(polish) << "\t\n";
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    const std::string command = argc > 1 ? argv[1] : "";
    if (argc == 4 && command == "generate")
        return generate(argv[2], argv[3]);
    if (argc == 4 && command == "check")
        return check(argv[2], argv[3]);
    if (argc == 4 && command == "todo")
        return todo(argv[2], argv[3]);
    std::cerr << "usage: vexor-lang-tool generate <source-folder> <language-folder>\n"
                 "       vexor-lang-tool check <src-folder> <language-folder>\n"
                 "       vexor-lang-tool todo <source-folder> CZECH|LITHUANIAN|THAI|HUNG\n";
    return 2;
}
