#pragma once

#include <string>

// The process-wide language files of the four file languages: "CZECH.csv",
// "LITHUANIAN.csv", "THAI.csv" and "HUNG.csv" in the E_Lang folder beside the
// program. They are opened once at start and stay open; a missing file leaves
// its language showing Polish.
namespace vexor {

// The file name of a file language; empty for the other languages.
std::string languageFileName(int language);

// Opens the four files in the given folder (closing any opened before).
// Returns how many were found; an empty folder opens none.
int openLanguageFiles(const std::string& folder);
void closeLanguageFiles();
bool isLanguageFileOpen(int language);

// The translation of the Polish text from the language's file, or the Polish
// text itself (no file, no line, not a file language).
std::string lookupLanguageFile(int language, const std::string& polish);

} // namespace vexor
