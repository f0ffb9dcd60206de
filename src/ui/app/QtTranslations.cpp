#include "app/QtTranslations.h"

#include "lang/Language.h"
#include "lang/Translate.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <cstring>
#include <memory>

namespace {

// The button texts Qt asks for, by Qt's English source text, and the Polish
// phrase that carries them in every language.
struct SButtonText {
    const char* source;
    const char* polish;
};
constexpr SButtonText kButtons[] = {{"OK", "OK"},      {"Cancel", "Anuluj"}, {"&Yes", "&Tak"},
                                    {"&No", "&Nie"},   {"Close", "Zamknij"}, {"Save", "Zapisz"},
                                    {"Open", "Otwórz"}};

class CButtonTranslator : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char*,
                      int) const override {
        if (context == nullptr || sourceText == nullptr ||
            std::strcmp(context, "QPlatformTheme") != 0)
            return {};
        for (const SButtonText& button : kButtons) {
            if (std::strcmp(button.source, sourceText) == 0)
                return QString::fromStdString(vexor::translate(button.polish));
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

std::unique_ptr<QTranslator>& ownTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

std::unique_ptr<QTranslator>& qtTranslator() {
    static std::unique_ptr<QTranslator> translator;
    return translator;
}

} // namespace

QString CQtTranslations::qtLocaleName(int language) {
    switch (language) {
    case vexor::kLangPolish:
        return QStringLiteral("pl");
    case vexor::kLangRussian:
        return QStringLiteral("ru");
    case vexor::kLangGerman:
        return QStringLiteral("de");
    case vexor::kLangTurkish:
        return QStringLiteral("tr");
    case vexor::kLangCzech:
        return QStringLiteral("cs");
    case vexor::kLangCroatian:
        return QStringLiteral("hr");
    case vexor::kLangSlovenian:
        return QStringLiteral("sl");
    case vexor::kLangLithuanian:
        return QStringLiteral("lt");
    case vexor::kLangItalian:
        return QStringLiteral("it");
    case vexor::kLangSpanish:
        return QStringLiteral("es");
    case vexor::kLangPortuguese:
        return QStringLiteral("pt_BR");
    case vexor::kLangThai:
        return QStringLiteral("th");
    case vexor::kLangHungarian:
        return QStringLiteral("hu");
    default:
        return {};
    }
}

bool CQtTranslations::apply(int language) {
    if (QCoreApplication::instance() == nullptr)
        return false;
    for (std::unique_ptr<QTranslator>* slot : {&qtTranslator(), &ownTranslator()}) {
        if (*slot) {
            QCoreApplication::removeTranslator(slot->get());
            slot->reset();
        }
    }
    // The translator installed last is asked first: Qt's own, then ours.
    ownTranslator() = std::make_unique<CButtonTranslator>();
    QCoreApplication::installTranslator(ownTranslator().get());

    const QString name = qtLocaleName(language);
    if (name.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + name,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    qtTranslator() = std::move(translator);
    QCoreApplication::installTranslator(qtTranslator().get());
    return true;
}
