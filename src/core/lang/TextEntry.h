#pragma once

#include "lang/Language.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace vexor {

// The twelve texts of one entry in slot order (see kSlotLanguage).
using TextSlots = std::array<std::string_view, kTextSlotCount>;

// One entry as stored: (language index, text) pairs ordered by language index.
using LangPairs = std::vector<std::pair<int, std::string>>;

// Reorders the slots into pairs for languages 0..11.
LangPairs pairsFromSlots(const TextSlots& slots);

// The pair text for a language, or nullptr when the entry has no pair for it.
const std::string* pairText(const LangPairs& pairs, int language);

} // namespace vexor
