#pragma once

#include <string>

namespace vexor {

// Start-up of the texts, before any window exists: chooses the current
// language from the user's default language, builds the phrase table and
// opens the language files found in languageFolder.
void startLanguages(const std::string& languageFolder);

} // namespace vexor
