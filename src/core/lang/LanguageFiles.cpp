#include "lang/LanguageFiles.h"

#include "lang/LangFile.h"
#include "lang/Language.h"

#include <array>

namespace vexor {

namespace {

struct FileLanguage {
    int language;
    const char* fileName;
};

constexpr std::array<FileLanguage, 4> kFileLanguages = {{{kLangCzech, "CZECH.csv"},
                                                         {kLangLithuanian, "LITHUANIAN.csv"},
                                                         {kLangThai, "THAI.csv"},
                                                         {kLangHungarian, "HUNG.csv"}}};

// Each file object locks itself, so opening and lookups may come from any
// thread without tearing a read.
std::array<CLangFile, kFileLanguages.size()>& files() {
    static std::array<CLangFile, kFileLanguages.size()> instance;
    return instance;
}

CLangFile* fileOf(int language) {
    for (size_t i = 0; i < kFileLanguages.size(); ++i) {
        if (kFileLanguages[i].language == language)
            return &files()[i];
    }
    return nullptr;
}

} // namespace

std::string languageFileName(int language) {
    for (const FileLanguage& entry : kFileLanguages) {
        if (entry.language == language)
            return entry.fileName;
    }
    return {};
}

int openLanguageFiles(const std::string& folder) {
    // No folder (the program's own could not be found) opens nothing: an
    // empty prefix would take whatever files lie in the working directory.
    if (folder.empty()) {
        closeLanguageFiles();
        return 0;
    }
    std::string prefix = folder;
    if (!prefix.empty() && prefix.back() != '/')
        prefix.push_back('/');
    int found = 0;
    for (size_t i = 0; i < kFileLanguages.size(); ++i) {
        if (files()[i].open(prefix + kFileLanguages[i].fileName))
            ++found;
    }
    return found;
}

void closeLanguageFiles() {
    for (CLangFile& file : files())
        file.close();
}

bool isLanguageFileOpen(int language) {
    const CLangFile* file = fileOf(language);
    return file && file->isOpen();
}

std::string lookupLanguageFile(int language, const std::string& polish) {
    const CLangFile* file = fileOf(language);
    return file ? file->lookup(polish) : polish;
}

} // namespace vexor
