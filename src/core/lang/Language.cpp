#include "lang/Language.h"

#include <atomic>

namespace vexor {

namespace {

std::atomic<int> g_currentLanguage{kLangPolish};

// Spelt as the language dialog has always shown them.
constexpr std::array<const char*, kLanguageCount> kNames = {
    "Polski",    "English",    "Pycckuu", "Deutsch", "Turkish",    "Czech", "Croatian",
    "Slovenian", "Lithuanian", "Italian", "Spanish", "Portuguese", "Thai",  "Hungary"};

} // namespace

std::string languageName(int index) {
    if (index < 0 || index >= kLanguageCount)
        return {};
    return kNames[static_cast<size_t>(index)];
}

bool isFileLanguage(int index) {
    return index == kLangCzech || index == kLangLithuanian || index == kLangThai ||
           index == kLangHungarian;
}

int languageFromLangId(int langId) {
    switch (langId) {
    case 1045:
        return kLangPolish;
    case 1049:
        return kLangRussian;
    case 1031:
    case 2055:
    case 3079:
    case 4103:
    case 5127:
        return kLangGerman;
    case 1055:
        return kLangTurkish;
    case 1029:
        return kLangCzech;
    case 1050:
        return kLangCroatian;
    case 1060:
        return kLangSlovenian;
    case 1063:
        return kLangLithuanian;
    case 1040:
        return kLangItalian;
    case 1046:
    case 2070:
        return kLangPortuguese;
    case 1054:
        return kLangThai;
    case 1038:
        return kLangHungarian;
    default:
        break;
    }
    // Spanish: 1034 (traditional sort) and every regional variant from 2058 up
    // to 20490, which share the primary language 0x0A.
    if (langId == 1034 || (langId >= 2058 && langId <= 20490 && (langId & 0x3FF) == 0x0A))
        return kLangSpanish;
    return kLangEnglish;
}

int currentLanguage() {
    return g_currentLanguage.load();
}

bool setCurrentLanguage(int index) {
    if (index < 0 || index >= kLanguageCount)
        return false;
    g_currentLanguage.store(index);
    return true;
}

} // namespace vexor
