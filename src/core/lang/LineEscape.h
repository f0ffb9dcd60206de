#pragma once

#include <string>
#include <string_view>

// A language-file line (and a line of its UTF-8 source table) cannot hold a
// line break or a TAB of its own, yet some keys and translations carry them
// (a message in two lines, an error text that starts on a new line). Such
// characters travel as the two-character sequences \r, \n and \t.
namespace vexor {

// CR, LF and TAB become \r, \n and \t; nothing else changes.
std::string escapeLineText(std::string_view text);

// \r, \n and \t become CR, LF and TAB; every other backslash stays as it is.
std::string unescapeLineText(std::string_view text);

} // namespace vexor
