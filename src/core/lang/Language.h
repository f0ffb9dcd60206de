#pragma once

#include <array>
#include <string>

// The fourteen interface languages, the process-wide current language and the
// choice of the start language from a Windows language identifier.
namespace vexor {

inline constexpr int kLanguageCount = 14;

// Language indexes with a name in code.
inline constexpr int kLangPolish = 0;
inline constexpr int kLangEnglish = 1;
inline constexpr int kLangRussian = 2;
inline constexpr int kLangGerman = 3;
inline constexpr int kLangTurkish = 4;
inline constexpr int kLangCzech = 5;
inline constexpr int kLangCroatian = 6;
inline constexpr int kLangSlovenian = 7;
inline constexpr int kLangLithuanian = 8;
inline constexpr int kLangItalian = 9;
inline constexpr int kLangSpanish = 10;
inline constexpr int kLangPortuguese = 11;
inline constexpr int kLangThai = 12;
inline constexpr int kLangHungarian = 13;

// A built-in text entry has twelve slots: Polish, English, Italian, Spanish,
// Portuguese, Croatian, Russian, Turkish, German, Slovenian and two that are
// never filled. kSlotLanguage[slot] is the language index the slot serves.
inline constexpr int kTextSlotCount = 12;
inline constexpr std::array<int, kTextSlotCount> kSlotLanguage = {
    kLangPolish,  kLangEnglish, kLangItalian, kLangSpanish,   kLangPortuguese, kLangCroatian,
    kLangRussian, kLangTurkish, kLangGerman,  kLangSlovenian, kLangCzech,      kLangLithuanian};

// The name shown in the language dialog; empty outside 0..13.
std::string languageName(int index);

// True for the languages whose texts come from a language file (Czech,
// Lithuanian, Thai, Hungarian).
bool isFileLanguage(int index);

// The language a Windows language identifier selects at start; every
// identifier not listed selects English.
int languageFromLangId(int langId);

// The current language. Polish (the texts as written) until the start
// language is chosen.
int currentLanguage();
// Sets the current language. An index outside 0..13 is refused (false) and
// the current language stays, so a bad value can never reach a lookup.
bool setCurrentLanguage(int index);

} // namespace vexor
