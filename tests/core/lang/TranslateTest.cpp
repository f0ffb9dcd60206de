#include "LangTestSupport.h"

#include "lang/LanguageFiles.h"
#include "lang/PhraseTable.h"
#include "lang/Translate.h"

#include <gtest/gtest.h>

using namespace vexor;
using langtest::ScopedLanguage;

TEST(Translate, KnownPhraseComesBackInEveryBuiltInLanguage) {
    const std::string key = "Nie powiodło się wpisanie ustawień do urządzenia!";
    const std::pair<int, std::string> expected[] = {
        {kLangPolish, key},
        {kLangEnglish, "Failed to write the settings to the controller!"},
        {kLangItalian, "Scrittura delle impostazioni nella centralina non riuscita!"},
        {kLangSpanish, "¡No se han podido escribir los ajustes en la centralita!"},
        {kLangPortuguese, "Não foi possível gravar as configurações na centralina!"},
        {kLangCroatian, "Upisivanje postavki u uređaj nije uspjelo!"},
        {kLangRussian, "Не удалось записать настройки в контроллер!"},
        {kLangTurkish, "Ayarlar cihaza yazılamadı!"},
        {kLangGerman, "Die Einstellungen konnten nicht in das Steuergerät geschrieben werden!"},
        {kLangSlovenian, "Zapis nastavitev v napravo ni uspel!"}};
    for (const auto& [language, text] : expected) {
        ScopedLanguage scoped(language);
        EXPECT_EQ(translate(key), text) << "language " << language;
    }
}

TEST(Translate, KeysWithLineBreaksAndSpacesMatchExactly) {
    ScopedLanguage english(kLangEnglish);
    EXPECT_EQ(translate("\r\n        Nierozpoznany kod błędu = 0x"),
              "\r\n        Unrecognised error code = 0x");
    EXPECT_EQ(translate(" OBD "), " OBD ");
    EXPECT_EQ(translate(" lub"), " or");
    // A near miss is not the phrase.
    EXPECT_EQ(translate("Nierozpoznany kod błędu = 0x"), "Nierozpoznany kod błędu = 0x");
}

TEST(Translate, UnknownPhraseStaysPolish) {
    for (int language : {kLangEnglish, kLangRussian, kLangPortuguese}) {
        ScopedLanguage scoped(language);
        EXPECT_EQ(translate("Zupełnie nowy komunikat"), "Zupełnie nowy komunikat");
        EXPECT_EQ(translate(""), "");
    }
}

TEST(Translate, FileLanguagesWithoutTheirFileShowPolish) {
    closeLanguageFiles();
    ScopedLanguage czech(kLangCzech);
    EXPECT_EQ(translate("Brak połączenia"), "Brak połączenia");
}

TEST(PhraseTable, EveryRowFillsTheTenBuiltInLanguagesAndLeavesTheSpareSlotsEmpty) {
    for (const PhraseRow& row : phraseRows()) {
        const std::string key = row[0] ? row[0] : "(null)";
        for (size_t slot = 0; slot < 10; ++slot)
            EXPECT_TRUE(row[slot] && *row[slot]) << key << " slot " << slot;
        for (size_t slot = 10; slot < row.size(); ++slot)
            EXPECT_TRUE(row[slot] && !*row[slot]) << key << " slot " << slot;
    }
}

TEST(PhraseTable, NoPolishKeyIsListedTwice) {
    EXPECT_EQ(CPhraseTable::instance().size(), phraseRows().size());
}

TEST(PhraseTable, FirstRowOfARepeatedKeyWins) {
    const PhraseRow rows[] = {{"a", "first", "", "", "", "", "", "", "", "", "", ""},
                              {"a", "second", "", "", "", "", "", "", "", "", "", ""}};
    CPhraseTable table(rows);
    ASSERT_NE(table.find("a"), nullptr);
    EXPECT_EQ(*pairText(*table.find("a"), kLangEnglish), "first");
    EXPECT_EQ(table.find("b"), nullptr);
}
