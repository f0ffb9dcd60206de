#include "LangTestSupport.h"

#include "lang/LangFile.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageStart.h"
#include "lang/MultiLangRes.h"
#include "lang/Translate.h"
#include "lang/Utf16.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace vexor;
using langtest::ScopedLanguage;
using langtest::TempFolder;
using langtest::writeUtf16File;

namespace {

// The Czech file in a temporary E_Lang folder, opened as the program does at start.
class LanguageFolder : public ::testing::Test {
protected:
    void TearDown() override { closeLanguageFiles(); }

    void writeCzech(const std::u16string& text) {
        writeUtf16File(m_folder.file("CZECH.csv"), text);
        ASSERT_EQ(openLanguageFiles(m_folder.path()), 1);
    }

    TempFolder m_folder;
};

std::string lookupIn(const TempFolder& folder, const std::u16string& text,
                     const std::string& polish, bool withMark = true) {
    writeUtf16File(folder.file("t.csv"), text, withMark);
    CLangFile file;
    EXPECT_TRUE(file.open(folder.file("t.csv")));
    return file.lookup(polish);
}

} // namespace

TEST_F(LanguageFolder, ThirdColumnTranslatesThePolishTextInTheFileLanguage) {
    writeCzech(u"Plik\tx\tSoubor\r\n");
    ScopedLanguage czech(kLangCzech);
    EXPECT_EQ(translate("Plik"), "Soubor");
    // Other languages do not read the Czech file.
    ScopedLanguage thai(kLangThai);
    EXPECT_EQ(translate("Plik"), "Plik");
}

TEST_F(LanguageFolder, ALineWithOneTabIsIgnoredAndTheSearchGoesOn) {
    writeCzech(u"Plik\tSoubor\r\nPlik\tx\tSoubor2\r\n");
    ScopedLanguage czech(kLangCzech);
    EXPECT_EQ(translate("Plik"), "Soubor2");
    EXPECT_EQ(translate("Mapa"), "Mapa");
}

TEST_F(LanguageFolder, TextObjectsOfFileLanguagesLookUpTheirPolishText) {
    writeCzech(u"Wyjście\tx\tKonec\r\n");
    CMultiLangRes texts;
    texts.add(57665, "Wyjście", "Exit", "Esci", "Salir", "Sair", "Izlaz", "Выход", "Çıkış",
              "Beenden", "Izhod");
    ScopedLanguage czech(kLangCzech);
    EXPECT_EQ(texts.text(57665), "Konec");
}

TEST_F(LanguageFolder, MissingFilesLeaveTheirLanguagesPolish) {
    writeCzech(u"Plik\tx\tSoubor\r\n");
    EXPECT_TRUE(isLanguageFileOpen(kLangCzech));
    EXPECT_FALSE(isLanguageFileOpen(kLangHungarian));
    ScopedLanguage hungarian(kLangHungarian);
    EXPECT_EQ(translate("Plik"), "Plik");
}

TEST_F(LanguageFolder, NoLanguageFolderOpensNothingFromTheWorkingDirectory) {
    writeCzech(u"Plik\tx\tSoubor\r\n");
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(m_folder.path());
    const int opened = openLanguageFiles("");
    std::filesystem::current_path(previous);

    EXPECT_EQ(opened, 0);
    EXPECT_FALSE(isLanguageFileOpen(kLangCzech));
    ScopedLanguage czech(kLangCzech);
    EXPECT_EQ(translate("Plik"), "Plik");
}

TEST(LangFile, NonAsciiPolishKeysMatchAndTheFirstMatchingLineWins) {
    TempFolder folder;
    const std::u16string text = u"Przełącznik\tx\tPřepínač\r\n"
                                u"Przełącznik\tx\tdruhý\r\n"
                                u"Błąd - Brak diagnostyki!\t\tChyba - Žádná diagnostika!\r\n";
    EXPECT_EQ(lookupIn(folder, text, "Przełącznik"), "Přepínač");
    EXPECT_EQ(lookupIn(folder, text, "Błąd - Brak diagnostyki!"), "Chyba - Žádná diagnostika!");
    EXPECT_EQ(lookupIn(folder, text, "Przelacznik"), "Przelacznik");
}

TEST(LangFile, TranslationKeepsItsTabsAndAllButTheLineEnd) {
    TempFolder folder;
    EXPECT_EQ(lookupIn(folder, u"a\tb\tc\td \r\n", "a"), "c\td ");
}

TEST(LangFile, LastLineWithoutLineEndKeepsAllItsCharacters) {
    TempFolder folder;
    EXPECT_EQ(lookupIn(folder, u"x\t\tX\r\nPlik\tx\tSoubor", "Plik"), "Soubor");
    EXPECT_EQ(lookupIn(folder, u"Plik\tx\tSoubor\n", "Plik"), "Soubor");
}

TEST(LangFile, FileWithoutByteOrderMarkKeepsItsFirstCharacter) {
    TempFolder folder;
    EXPECT_EQ(lookupIn(folder, u"Plik\tx\tSoubor\r\n", "Plik", false), "Soubor");
}

TEST(LangFile, EmptyTranslationAndOverlongLinesFallBackToPolish) {
    TempFolder folder;
    EXPECT_EQ(lookupIn(folder, u"Plik\tx\t\r\n", "Plik"), "Plik");
    std::u16string longLine = u"Plik\tx\t" + std::u16string(CLangFile::kMaxLineChars, u'a');
    EXPECT_EQ(lookupIn(folder, longLine + u"\r\nMapa\tx\tMapa2\r\n", "Plik"), "Plik");
    EXPECT_EQ(lookupIn(folder, longLine + u"\r\nMapa\tx\tMapa2\r\n", "Mapa"), "Mapa2");
}

TEST(LangFile, SurrogatePairsDecodeToOneCharacter) {
    TempFolder folder;
    // U+1F697 (automobile) is the pair D83D DE97; a lone surrogate becomes U+FFFD.
    EXPECT_EQ(lookupIn(folder, u"Auto\tx\t\U0001F697 ok\r\n", "Auto"), "\U0001F697 ok");
    const std::u16string lone = {u'A', u'\t', u'x', u'\t', char16_t(0xD83D), u'b', u'\r', u'\n'};
    EXPECT_EQ(lookupIn(folder, lone, "A"), "\uFFFDb");
}

TEST(LangFile, ClosedFileGivesThePolishTextAndSeesEditsOnTheNextLookup) {
    TempFolder folder;
    CLangFile file;
    EXPECT_FALSE(file.open(folder.file("missing.csv")));
    EXPECT_EQ(file.lookup("Plik"), "Plik");

    writeUtf16File(folder.file("t.csv"), u"Plik\tx\tSoubor\r\n");
    ASSERT_TRUE(file.open(folder.file("t.csv")));
    EXPECT_EQ(file.lookup("Plik"), "Soubor");
    writeUtf16File(folder.file("t.csv"), u"Plik\tx\tSoubor nový\r\n");
    EXPECT_EQ(file.lookup("Plik"), "Soubor nový");
}

TEST(Utf16, ConversionRoundTripsEveryPlane) {
    const std::string text = "Zażółć gęślą jaźń, Привет, Türkçe, ไทย, \U0001F697";
    EXPECT_EQ(utf16ToUtf8(utf8ToUtf16(text)), text);
    EXPECT_EQ(utf8ToUtf16("\xC3"), u"\uFFFD");           // cut-off sequence
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD"); // over-long form
}

TEST_F(LanguageFolder, StartChoosesTheLanguageFromTheLocaleAndOpensTheFolder) {
    writeUtf16File(m_folder.file("HUNG.csv"), u"Plik\tx\tFájl\r\n");
    const char* saved = std::getenv("LC_ALL");
    const std::string previous = saved ? saved : "";
    ScopedLanguage restore(kLangPolish);

    setenv("LC_ALL", "hu_HU.UTF-8", 1);
    startLanguages(m_folder.path());
    EXPECT_EQ(currentLanguage(), kLangHungarian);
    EXPECT_EQ(translate("Plik"), "Fájl");

    setenv("LC_ALL", "es_MX.UTF-8", 1);
    startLanguages(m_folder.path());
    EXPECT_EQ(currentLanguage(), kLangSpanish);
    EXPECT_EQ(translate("Mapa"), "Mapa");
    EXPECT_EQ(translate("Panel Gaz"), "Gas");

    if (saved)
        setenv("LC_ALL", previous.c_str(), 1);
    else
        unsetenv("LC_ALL");
}
