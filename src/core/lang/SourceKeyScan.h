#pragma once

#include <string>
#include <vector>

// Finds, in the program's C++ sources, the Polish texts that code shows
// through the phrase table, so a check can tell when one is missing from it.
namespace vexor {

struct SourceKey {
    std::string text;  // the literal, escapes decoded, adjacent pieces joined
    std::string where; // "ui/app/MainFrame.cpp:98"
    // Passed straight to translate() or a helper that translates (tr8,
    // addMessage, ...), or held in a kMsg constant: it must be a phrase.
    // Otherwise it was found only because it is written in Polish, and a text
    // object may own it instead.
    bool mustBePhrase = false;
};

// The keys in one source text; `file` only names them.
std::vector<SourceKey> scanSourceText(const std::string& source, const std::string& file);

// Every *.cpp and *.h below the folder, except the text tables themselves
// (lang/, texts/) and the controller simulator (sim/), which shows no text.
std::vector<SourceKey> scanSourceKeys(const std::string& folder);

// The names of the classes below the folder declared as "class CxxxTexts" that
// derive from a text-object base.
std::vector<std::string> scanTextClasses(const std::string& folder);

} // namespace vexor
