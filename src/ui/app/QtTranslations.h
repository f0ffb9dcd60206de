#pragma once

#include <QString>

// Qt's own texts (standard buttons, file dialogs, context menus of edits) in
// the interface language: Qt's translation of the language when it ships one,
// and behind it our own texts for the buttons the program shows, so a
// language Qt does not ship still gets OK, Cancel, Yes and No in its words.
class CQtTranslations {
public:
    // Installs the translators of the language, replacing those of the
    // language before. True when Qt's own translation was found.
    static bool apply(int language);

    // The locale name of Qt's translation file for the language ("pt_BR");
    // empty for English, which Qt's texts are written in.
    static QString qtLocaleName(int language);
};
