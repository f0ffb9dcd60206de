#include "LangTestSupport.h"

#include "lang/LangCheck.h"
#include "lang/LangFile.h"
#include "lang/LangFileFormat.h"
#include "lang/LanguageFiles.h"
#include "lang/SourceKeyScan.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace vexor;
using langtest::TempFolder;

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

LangPairs entry(const std::string& polish, const std::string& others) {
    TextSlots slots{};
    slots[0] = polish;
    for (size_t slot = 1; slot < 10; ++slot)
        slots[slot] = others;
    return pairsFromSlots(slots);
}

bool mentions(const LangCheckReport& report, const std::string& part) {
    return std::any_of(report.problems.begin(), report.problems.end(),
                       [&](const std::string& p) { return p.find(part) != std::string::npos; });
}

// A small program's worth of texts, complete in all fourteen languages; each
// test breaks one thing and expects the check to name it.
class LangCheckFixture : public ::testing::Test {
protected:
    void SetUp() override {
        input.tables = {{"CDemoTexts", {entry("Ciśnienie", "P"), entry("Mapa", "M")}},
                        {"phrase table", {entry("Brak połączenia", "N")}}};
        input.languageFolder = m_folder.path();
        input.sourceKeys = {{"Brak połączenia", "doc/Demo.cpp:7", true},
                            {"Ciśnienie", "ui/Demo.cpp:9", false}};
        input.textClassesInSources = {"CDemoTexts"};
        for (const char* name : {"CZECH.csv", "LITHUANIAN.csv", "THAI.csv", "HUNG.csv"})
            writeFile(name, {{"Ciśnienie", "P"}, {"Mapa", "M"}, {"Brak połączenia", "N"}});
    }

    void writeFile(const std::string& name, const Rows& rows) {
        ASSERT_TRUE(writeWholeFile(m_folder.file(name), languageFileBytes(rows)));
    }

    LangCheckReport check() const { return checkLanguages(input); }

    TempFolder m_folder;
    LangCheckInput input;
};

} // namespace

TEST_F(LangCheckFixture, CompleteTextsPassWithNothingMissing) {
    const LangCheckReport report = check();
    EXPECT_TRUE(report.ok()) << formatReport(report);
    EXPECT_EQ(report.missingTotal(), 0);
}

TEST_F(LangCheckFixture, AnEmptyBuiltInSlotFailsInsteadOfFallingBackToPolish) {
    TextSlots slots{"Mapa", "Map", "Mappa", "Mapa", "Mapa", "Mapa", "Карта", "Harita", "", "Mapa"};
    input.tables[0].entries[1] = pairsFromSlots(slots);
    const LangCheckReport report = check();
    EXPECT_FALSE(report.ok());
    EXPECT_EQ(report.missing[kLangGerman][0], 1);
    EXPECT_EQ(report.missingTotal(), 1);
    EXPECT_TRUE(mentions(report, "Deutsch: CDemoTexts: no text for \"Mapa\""))
        << formatReport(report);
}

TEST_F(LangCheckFixture, ALanguageFileWithoutALineForAPolishTextFails) {
    writeFile("THAI.csv", {{"Ciśnienie", "P"}, {"Brak połączenia", "N"}});
    const LangCheckReport report = check();
    EXPECT_EQ(report.missing[kLangThai][0], 1);
    EXPECT_EQ(report.missingTotal(), 1);
    EXPECT_TRUE(mentions(report, "Thai (THAI.csv): CDemoTexts: no line for \"Mapa\""))
        << formatReport(report);
    // The table shows the gap in the Thai column of the text object's row.
    const std::string table = formatReport(report);
    EXPECT_NE(table.find("CDemoTexts"), std::string::npos);
}

TEST_F(LangCheckFixture, AMalformedOrMissingFileFails) {
    const std::string good = languageFileBytes({{"Ciśnienie", "P"}, {"Mapa", "M"}});
    // A third line with one TAB only: the program would never find its text.
    std::string broken = good;
    for (char16_t unit : std::u16string(u"Brak połączenia\tN\r\n")) {
        broken.push_back(static_cast<char>(unit & 0xFF));
        broken.push_back(static_cast<char>(unit >> 8));
    }
    ASSERT_TRUE(writeWholeFile(m_folder.file("HUNG.csv"), broken));
    std::remove(m_folder.file("LITHUANIAN.csv").c_str());

    const LangCheckReport report = check();
    EXPECT_TRUE(mentions(report, "Hungary (HUNG.csv): line 3: no second TAB"));
    EXPECT_EQ(report.missing[kLangHungarian][1], 1);
    EXPECT_TRUE(mentions(report, "Lithuanian (LITHUANIAN.csv): the file is missing"));
    EXPECT_EQ(report.missing[kLangLithuanian][0] + report.missing[kLangLithuanian][1], 3);
}

TEST_F(LangCheckFixture, ATranslatedKeyOutsideThePhraseTableFailsWithItsSourceLine) {
    input.sourceKeys.push_back({"Nowy komunikat", "core/doc/New.cpp:42", true});
    // Owned by a text object is not enough for a key code translates itself.
    input.sourceKeys.push_back({"Mapa", "core/doc/New.cpp:43", true});
    input.sourceKeys.push_back({"Zapomniany tekst", "ui/New.cpp:5", false});
    input.textClassesInSources.push_back("CNewTexts");
    const LangCheckReport report = check();
    EXPECT_TRUE(mentions(report, "src/core/doc/New.cpp:42: \"Nowy komunikat\" is translated"));
    EXPECT_TRUE(mentions(report, "src/core/doc/New.cpp:43: \"Mapa\""));
    EXPECT_TRUE(mentions(report, "src/ui/New.cpp:5: the Polish text \"Zapomniany tekst\""));
    EXPECT_TRUE(mentions(report, "CNewTexts"));
    EXPECT_EQ(report.problems.size(), 4u) << formatReport(report);
}

TEST(LangFileFormat, StrictReadingNamesEveryFaultWithItsLine) {
    std::u16string text = u"a\tx\tA\r\n"                               // 1: good
                          u"b\tB\r\n"                                  // 2: one TAB
                          u"c\tx\t\r\n"                                // 3: empty translation
                          u"a\tx\tA2\r\n"                              // 4: repeats line 1
                          u"d\tx\tD\n"                                 // 5: LF alone
                          + std::u16string(2100, u'e') + u"\tx\tE\r\n" // 6: too long
                          + u"f\tx\tF";                                // 7: no line end
    std::string bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<char>(unit & 0xFF));
        bytes.push_back(static_cast<char>(unit >> 8));
    }
    bytes.push_back('\x01'); // cut inside a character
    const LangFileContents contents = parseLanguageFile(bytes);
    const std::vector<std::string> expected = {"no byte-order mark (FF FE)",
                                               "ends inside a character (odd number of bytes)",
                                               "line 2: no second TAB",
                                               "line 3: empty translation",
                                               "line 4: repeats the Polish text of line 1",
                                               "line 5: ends without CR LF",
                                               "line 6: longer than 2048 characters",
                                               "line 7: the last line lacks its CR LF"};
    EXPECT_EQ(contents.problems, expected);
    ASSERT_EQ(contents.lines.size(), 3u);
    EXPECT_EQ(contents.lines[2].translation, "F");
}

TEST(LangFileFormat, WrittenFilesGiveTheProgramTextsWithLineBreaksAndRefuseOverlongLines) {
    TempFolder folder;
    const std::string key = "\r\n        Nierozpoznany kod błędu = 0x";
    const std::string question = "Wersja jest nowsza.\nCzy programować?";
    ASSERT_TRUE(writeWholeFile(folder.file("CZECH.csv"),
                               languageFileBytes({{key, "\r\n        Nerozpoznaný kód = 0x"},
                                                  {question, "Verze je novější.\nProgramovat?"},
                                                  {"Plik", "Soubor"}})));
    CLangFile file;
    ASSERT_TRUE(file.open(folder.file("CZECH.csv")));
    EXPECT_EQ(file.lookup(key), "\r\n        Nerozpoznaný kód = 0x");
    EXPECT_EQ(file.lookup(question), "Verze je novější.\nProgramovat?");
    EXPECT_EQ(file.lookup("Plik"), "Soubor");
    // The escaped form is no key of its own.
    EXPECT_EQ(file.lookup("\\r\\n"), "\\r\\n");

    EXPECT_THROW(languageFileBytes({{std::string(2040, 'x'), "long enough"}}),
                 std::invalid_argument);
}

TEST(SourceKeyScan, FindsWhatCodeTranslatesAndPolishTextsButNotComments) {
    const std::string source = R"cpp(
// translate("W komentarzu") is not code.
constexpr const char* kMsgWrite = "Nie powiodło się "
                                  "wpisanie!";
void f() {
    seams.message(translate("Mapa"), Icon::Error); /* "Żółw" */
    showMapFailure(seams, "Błąd mapy");
    label->setText(QStringLiteral("Wyjście"));
    const char* path = "/dev/ttyS0";
    m_list.push_back(tr8("Kasuj\tgaz"));
}
)cpp";
    const std::vector<SourceKey> keys = scanSourceText(source, "ui/F.cpp");
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].text, "Nie powiodło się wpisanie!");
    EXPECT_EQ(keys[0].where, "ui/F.cpp:3");
    EXPECT_TRUE(keys[0].mustBePhrase);
    EXPECT_EQ(keys[1].text, "Mapa");
    EXPECT_TRUE(keys[1].mustBePhrase);
    EXPECT_EQ(keys[2].text, "Błąd mapy");
    EXPECT_TRUE(keys[2].mustBePhrase);
    EXPECT_EQ(keys[3].text, "Wyjście");
    EXPECT_EQ(keys[3].where, "ui/F.cpp:8");
    EXPECT_FALSE(keys[3].mustBePhrase);
    EXPECT_EQ(keys[4].text, "Kasuj\tgaz");
}
