#include "lang/Translate.h"

#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/PhraseTable.h"

namespace vexor {

std::string translate(const std::string& polish) {
    const int language = currentLanguage();
    if (isFileLanguage(language))
        return lookupLanguageFile(language, polish);
    if (language <= kLangPolish || language >= kLanguageCount)
        return polish;
    if (const LangPairs* pairs = CPhraseTable::instance().find(polish)) {
        // An empty slot would blank the message box; Polish is better.
        const std::string* text = pairText(*pairs, language);
        if (text && !text->empty())
            return *text;
    }
    return polish;
}

} // namespace vexor
