#pragma once

#include "lang/Language.h"

#include <array>
#include <span>

namespace vexor {

// One phrase in the twelve-slot order: Polish (the key, exactly as code
// passes it), English, Italian, Spanish, Portuguese, Croatian, Russian,
// Turkish, German, Slovenian, and two slots that stay empty.
using PhraseRow = std::array<const char*, kTextSlotCount>;

// Every phrase the code shows through translate(), UTF-8.
std::span<const PhraseRow> phraseRows();

} // namespace vexor
