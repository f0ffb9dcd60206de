#include "lang/Language.h"
#include "platform/DefaultLanguage.h"

#include <gtest/gtest.h>

using namespace vexor;

TEST(LanguageChoice, StartLanguageFollowsTheWindowsIdentifier) {
    EXPECT_EQ(languageFromLangId(1045), kLangPolish);
    EXPECT_EQ(languageFromLangId(2058), kLangSpanish);
    EXPECT_EQ(languageFromLangId(1034), kLangSpanish);
    EXPECT_EQ(languageFromLangId(20490), kLangSpanish);
    EXPECT_EQ(languageFromLangId(2055), kLangGerman);
    EXPECT_EQ(languageFromLangId(5127), kLangGerman);
    EXPECT_EQ(languageFromLangId(2070), kLangPortuguese);
    EXPECT_EQ(languageFromLangId(1046), kLangPortuguese);
    EXPECT_EQ(languageFromLangId(1029), kLangCzech);
    EXPECT_EQ(languageFromLangId(1038), kLangHungarian);
}

TEST(LanguageChoice, UnlistedIdentifiersStartInEnglish) {
    EXPECT_EQ(languageFromLangId(1036), kLangEnglish); // French
    EXPECT_EQ(languageFromLangId(1033), kLangEnglish);
    EXPECT_EQ(languageFromLangId(21514), kLangEnglish); // Spanish (United States) is not listed
    EXPECT_EQ(languageFromLangId(1034 + 1024 * 30), kLangEnglish);
    EXPECT_EQ(languageFromLangId(0), kLangEnglish);
}

TEST(LanguageChoice, SetRefusesAnIndexOutsideTheTableAndKeepsTheCurrentOne) {
    const int before = currentLanguage();
    ASSERT_TRUE(setCurrentLanguage(kLangHungarian));
    EXPECT_FALSE(setCurrentLanguage(14));
    EXPECT_FALSE(setCurrentLanguage(-1));
    EXPECT_EQ(currentLanguage(), kLangHungarian);
    setCurrentLanguage(before);
}

TEST(LanguageChoice, DialogNamesAreTheFourteenInIndexOrder) {
    EXPECT_EQ(languageName(0), "Polski");
    EXPECT_EQ(languageName(2), "Pycckuu");
    EXPECT_EQ(languageName(13), "Hungary");
    EXPECT_EQ(languageName(14), "");
}

TEST(DefaultLanguage, LocaleNamesMapToWindowsIdentifiers) {
    EXPECT_EQ(langIdFromLocale("es_MX.UTF-8"), 2058);
    EXPECT_EQ(langIdFromLocale("de_CH"), 2055);
    EXPECT_EQ(langIdFromLocale("de_AT.ISO-8859-1@euro"), 3079);
    EXPECT_EQ(langIdFromLocale("pt_PT"), 2070);
    EXPECT_EQ(langIdFromLocale("pt_BR.utf8"), 1046);
    EXPECT_EQ(langIdFromLocale("pl_PL.UTF-8"), 1045);
    EXPECT_EQ(langIdFromLocale("fr_FR"), 1036);
    EXPECT_EQ(langIdFromLocale("es_ES"), 3082);
    EXPECT_EQ(langIdFromLocale("en_GB.UTF-8"), 1033);
}

TEST(DefaultLanguage, BareLanguagesAndUnknownRegionsTakeThePrimaryIdentifier) {
    EXPECT_EQ(langIdFromLocale("de"), 1031);
    EXPECT_EQ(langIdFromLocale("de_BE.UTF-8"), 1031);
    EXPECT_EQ(langIdFromLocale("ru"), 1049);
    EXPECT_EQ(langIdFromLocale("hu_HU"), 1038);
}

TEST(DefaultLanguage, PlainCAndUnknownLocalesAreEnglish) {
    EXPECT_EQ(langIdFromLocale("C"), 1033);
    EXPECT_EQ(langIdFromLocale("C.UTF-8"), 1033);
    EXPECT_EQ(langIdFromLocale("POSIX"), 1033);
    EXPECT_EQ(langIdFromLocale(""), 1033);
    EXPECT_EQ(langIdFromLocale("xx_YY"), 1033);
}

TEST(DefaultLanguage, FirstNonEmptyOfLcAllLcMessagesLangWins) {
    EXPECT_EQ(langIdFromEnvironment("de_CH.UTF-8", "pl_PL", "es_MX"), 2055);
    EXPECT_EQ(langIdFromEnvironment("", "pl_PL", "es_MX"), 1045);
    EXPECT_EQ(langIdFromEnvironment(nullptr, nullptr, "es_MX.UTF-8"), 2058);
    EXPECT_EQ(langIdFromEnvironment("", "", ""), 1033);
    EXPECT_EQ(langIdFromEnvironment(nullptr, nullptr, nullptr), 1033);
}
