#pragma once

#include <string>

namespace vexor {

// The text to show for a Polish phrase in the current language (UTF-8): the
// phrase table for the built-in languages, the language file for the file
// languages. A phrase without a translation is shown in Polish.
std::string translate(const std::string& polish);

} // namespace vexor
