#pragma once

#include "lang/LangCheck.h"
#include "lang/MultiLangText.h"

#include <memory>
#include <string>
#include <vector>

namespace vexor {

struct NamedTexts {
    std::string name; // the class name, as a translator finds it in the sources
    std::unique_ptr<CMultiLangText> texts;
};

// One object of every window's text class, filled. A new text class belongs
// here too: the language check walks this list, and names any *Texts class of
// the sources it lacks.
std::vector<NamedTexts> allTextObjects();

// Every text the program looks up, as the language check reads them: the
// text objects above, the map grid's context menu and the phrase table.
std::vector<TextTable> allTextTables();

} // namespace vexor
