#include "LangTestSupport.h"

#include "lang/LanguageFiles.h"
#include "lang/MultiLangRes.h"

#include <gtest/gtest.h>

#include <memory>

using namespace vexor;
using langtest::ScopedLanguage;

namespace {

// A window's text object as the window classes will write them.
class CSampleTexts : public CMultiLangRes {
public:
    CSampleTexts() { fill(); }
    void fill() override {
        add(-2, "Plik", "File", "File", "Archivo", "Arquivo", "Datoteka", "Файл", "Dosya", "Datei",
            "Datoteka");
        add(1001, "pl", "en", "it", "es", "pt", "hr", "ru", "tr", "de", "sl", "x1", "x2");
        add(1002, "Obroty", "RPM", "Giri", "RPM", "RPM", "Okretaji", "Обороты", "Devir", "",
            "Vrtljaji");
    }
};

// Runs fn and returns the code of the CLangError it throws (-100 if none).
template <class Fn> int32_t langErrorCode(Fn fn) {
    try {
        fn();
    } catch (IError* raw) {
        std::unique_ptr<IError> error(raw);
        EXPECT_EQ(error->className(), "CLangError");
        return error->code();
    }
    return -100;
}

} // namespace

TEST(MultiLangText, EachLanguageReadsItsOwnSlot) {
    CSampleTexts texts;
    const std::pair<int, const char*> expected[] = {
        {kLangPolish, "pl"},     {kLangEnglish, "en"},  {kLangItalian, "it"}, {kLangSpanish, "es"},
        {kLangPortuguese, "pt"}, {kLangCroatian, "hr"}, {kLangRussian, "ru"}, {kLangTurkish, "tr"},
        {kLangGerman, "de"},     {kLangSlovenian, "sl"}};
    for (const auto& [language, text] : expected) {
        ScopedLanguage scoped(language);
        EXPECT_EQ(texts.text(1001), text) << "language " << language;
    }
}

TEST(MultiLangText, AnEmptySlotShowsThePolishText) {
    CSampleTexts texts;
    ScopedLanguage german(kLangGerman);
    EXPECT_EQ(texts.text(1002), "Obroty");
    EXPECT_EQ(texts.text(-2), "Datei");
}

TEST(MultiLangText, FileLanguagesShowPolishWhenTheirFileIsMissing) {
    closeLanguageFiles();
    CSampleTexts texts;
    for (int language : {kLangCzech, kLangLithuanian, kLangThai, kLangHungarian}) {
        ScopedLanguage scoped(language);
        EXPECT_EQ(texts.text(1002), "Obroty") << "language " << language;
    }
}

TEST(MultiLangText, UnknownIdAndBadLanguageRaiseLangErrors) {
    CSampleTexts texts;
    EXPECT_EQ(langErrorCode([&] { texts.text(4242); }), CLangError::TextNotFound);
    EXPECT_EQ(langErrorCode([&] { texts.checkLang(14); }), CLangError::LanguageNotSupported);
    EXPECT_EQ(langErrorCode([&] { texts.checkLang(-1); }), CLangError::LanguageNotSupported);
    EXPECT_EQ(langErrorCode([&] { texts.checkLang(13); }), -100);
}

TEST(MultiLangText, LangErrorDescribesItsTwoCodes) {
    EXPECT_EQ(CLangError(5, "m", 1, "f").description(), "Language not supported");
    EXPECT_EQ(CLangError(6, "m", 1, "f").description(), "Can't find language text");
    EXPECT_EQ(CLangError(7, "m", 1, "f").description(), "Błąd z poza zdefiniowanego zakresu");
}

TEST(MultiLangText, IdsListsEveryRegisteredEntryForApplyingToAWindow) {
    CSampleTexts texts;
    EXPECT_EQ(texts.ids(), (std::vector<int>{-2, 1001, 1002}));
    EXPECT_TRUE(texts.contains(-2));
    EXPECT_FALSE(texts.contains(1003));
}

TEST(MultiLangText, AddingAnIdAgainReplacesItsEntry) {
    CSampleTexts texts;
    texts.add(1001, "nowy", "new", "", "", "", "", "", "", "", "");
    ScopedLanguage english(kLangEnglish);
    EXPECT_EQ(texts.text(1001), "new");
    ScopedLanguage italian(kLangItalian);
    EXPECT_EQ(texts.text(1001), "nowy");
}
