#include "lang/LanguageStart.h"

#include "lang/Language.h"
#include "lang/LanguageFiles.h"
#include "lang/PhraseTable.h"
#include "platform/DefaultLanguage.h"

namespace vexor {

void startLanguages(const std::string& languageFolder) {
    setCurrentLanguage(languageFromLangId(defaultLangId()));
    CPhraseTable::instance();
    openLanguageFiles(languageFolder);
}

} // namespace vexor
