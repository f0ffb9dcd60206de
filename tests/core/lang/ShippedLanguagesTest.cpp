#include "LangTestSupport.h"

#include "lang/LangFileFormat.h"
#include "lang/LangSourceTable.h"
#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/LanguageStart.h"
#include "lang/Translate.h"
#include "maps/MapMenu.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

using namespace vexor;
using langtest::ScopedLanguage;
using langtest::TempFolder;

namespace {

const std::string kShare = std::string(VEXOR_SOURCE_DIR) + "/share/vexor";

// Sets a locale variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old)
            setenv(m_name, m_old->c_str(), 1);
        else
            unsetenv(m_name);
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

// The generated files are committed so an installed program needs no
// generator; they must not drift from the tables translators edit.
TEST(ShippedLanguageFiles, AreExactlyWhatTheGeneratorMakesOfTheirSourceTables) {
    TempFolder out;
    EXPECT_TRUE(generateLanguageFiles(kShare + "/lang-src", out.path()).empty());
    for (int language = 0; language < kLanguageCount; ++language) {
        if (!isFileLanguage(language))
            continue;
        const std::string name = languageFileName(language);
        std::string generated;
        std::string shipped;
        ASSERT_TRUE(readWholeFile(out.file(name), generated)) << name;
        ASSERT_TRUE(readWholeFile(kShare + "/E_Lang/" + name, shipped)) << name;
        EXPECT_TRUE(generated == shipped) << name << " differs from lang-src; run tools/lang-gen";
        const LangFileContents contents = parseLanguageFile(shipped);
        EXPECT_TRUE(contents.problems.empty()) << name << ": " << contents.problems.front();
    }
}

TEST(ShippedLanguageFiles, AFileLanguageLocaleStartsInItsLanguageAndShowsItsWords) {
    struct Case {
        const char* locale;
        int language;
        const char* calibration;
    };
    const Case cases[] = {{"cs_CZ.UTF-8", kLangCzech, "Kalibrace"},
                          {"lt_LT.UTF-8", kLangLithuanian, "Kalibravimas"},
                          {"th_TH.UTF-8", kLangThai, "การปรับเทียบ"},
                          {"hu_HU.UTF-8", kLangHungarian, "Kalibrálás"}};
    ScopedLanguage restore(currentLanguage());
    ScopedEnv all("LC_ALL", nullptr);
    ScopedEnv messages("LC_MESSAGES", nullptr);
    for (const Case& c : cases) {
        ScopedEnv lang("LANG", c.locale);
        startLanguages(kShare + "/E_Lang");
        EXPECT_EQ(currentLanguage(), c.language) << c.locale;
        EXPECT_EQ(translate("Kalibracja"), c.calibration) << c.locale;
        // A key that starts on a new line keeps its line break and indent.
        const std::string unknown = translate("\r\n        Nierozpoznany kod błędu = 0x");
        EXPECT_EQ(unknown.rfind("\r\n        ", 0), 0u) << c.locale;
        EXPECT_NE(unknown, "\r\n        Nierozpoznany kod błędu = 0x") << c.locale;
    }
    closeLanguageFiles();
}

// The grid's context menu has no resource for the file languages: it takes
// the Polish items from the file, and English where the file cannot help.
TEST(ShippedLanguageFiles, TheMapMenuOfAFileLanguageSpeaksItsLanguage) {
    const int menu = mapMenuId(kLangHungarian);
    closeLanguageFiles();
    EXPECT_EQ(mapMenuStrings(menu, kLangHungarian).subtract, "Subtract...");
    ASSERT_EQ(openLanguageFiles(kShare + "/E_Lang"), 4);
    const SMapMenuStrings hungarian = mapMenuStrings(menu, kLangHungarian);
    EXPECT_EQ(hungarian.add, "Hozzáadás...");
    EXPECT_EQ(hungarian.clear, "Korrekciók törlése");
    // A built-in language keeps its own menu whatever files are open.
    EXPECT_EQ(mapMenuStrings(mapMenuId(kLangSpanish), kLangSpanish).add, "Añadir...");
    closeLanguageFiles();
}

TEST(LangSourceTable, NotesEscapesAndFaultsAreReadLineByLine) {
    const LangSourceTable table = parseSourceTable("# note\n"
                                                   "\n"
                                                   "Plik\tSoubor\n"
                                                   "Dwie\\nlinie\tDva\\nřádky\r\n"
                                                   "Bez tabulatora\n"
                                                   "Plik\tZnovu\n"
                                                   "Pusty\t\n");
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[1].first, "Dwie\nlinie");
    EXPECT_EQ(table.rows[1].second, "Dva\nřádky");
    const std::vector<std::string> expected = {
        "line 5: no TAB between the Polish text and the translation",
        "line 6: the Polish text is listed twice", "line 7: empty Polish text or translation"};
    EXPECT_EQ(table.problems, expected);
}

TEST(LangSourceTable, ATableWithAFaultWritesNoFileAndSaysWhere) {
    TempFolder sources;
    TempFolder out;
    for (const char* name : {"CZECH.tsv", "LITHUANIAN.tsv", "THAI.tsv"})
        ASSERT_TRUE(writeWholeFile(sources.file(name), "Plik\tX\n"));
    ASSERT_TRUE(writeWholeFile(sources.file("HUNG.tsv"), "Plik\tFájl\nMapa Térkép\n"));
    const std::vector<std::string> problems = generateLanguageFiles(sources.path(), out.path());
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0], "HUNG.tsv line 2: no TAB between the Polish text and the translation");
    std::string bytes;
    EXPECT_FALSE(readWholeFile(out.file("HUNG.csv"), bytes));
    EXPECT_TRUE(readWholeFile(out.file("THAI.csv"), bytes));
}
