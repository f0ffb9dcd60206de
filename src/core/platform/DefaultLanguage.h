#pragma once

#include <string_view>

// The user's default language as a Windows language identifier, taken from the
// POSIX locale environment.
namespace vexor {

// English (United States): what "C", "POSIX", an empty or an unknown locale
// gives.
inline constexpr int kLangIdEnglishUs = 1033;

// Maps a locale name such as "es_MX.UTF-8", "de_CH", "pt_PT@euro" or "de" to a
// Windows language identifier. The encoding and modifier are ignored; a bare
// language (or an unknown region of a known language) gives the language's
// primary identifier.
int langIdFromLocale(std::string_view locale);

// The first non-empty of LC_ALL, LC_MESSAGES, LANG, mapped as above.
int langIdFromEnvironment(const char* lcAll, const char* lcMessages, const char* lang);

// The identifier from this process's environment.
int defaultLangId();

} // namespace vexor
