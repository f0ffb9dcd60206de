#pragma once

#include "lang/Language.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace langtest {

// Sets the current language for one test and puts the previous one back.
class ScopedLanguage {
public:
    explicit ScopedLanguage(int language) : m_previous(vexor::currentLanguage()) {
        vexor::setCurrentLanguage(language);
    }
    ~ScopedLanguage() { vexor::setCurrentLanguage(m_previous); }
    ScopedLanguage(const ScopedLanguage&) = delete;
    ScopedLanguage& operator=(const ScopedLanguage&) = delete;

private:
    int m_previous;
};

// A fresh folder under the temporary directory, removed with its contents.
class TempFolder {
public:
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vexor-lang-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            m_path = pattern;
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

// Writes UTF-16 little-endian text, with the byte-order mark unless told not to.
inline void writeUtf16File(const std::string& path, const std::u16string& text,
                           bool withMark = true) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return;
    if (withMark) {
        std::fputc(0xFF, file);
        std::fputc(0xFE, file);
    }
    for (char16_t unit : text) {
        std::fputc(unit & 0xFF, file);
        std::fputc(unit >> 8, file);
    }
    std::fclose(file);
}

} // namespace langtest
