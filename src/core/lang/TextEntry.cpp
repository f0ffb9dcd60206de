#include "lang/TextEntry.h"

namespace vexor {

LangPairs pairsFromSlots(const TextSlots& slots) {
    LangPairs pairs;
    pairs.reserve(kTextSlotCount);
    for (int language = 0; language < kTextSlotCount; ++language) {
        for (size_t slot = 0; slot < slots.size(); ++slot) {
            if (kSlotLanguage[slot] == language) {
                pairs.emplace_back(language, std::string(slots[slot]));
                break;
            }
        }
    }
    return pairs;
}

const std::string* pairText(const LangPairs& pairs, int language) {
    for (const auto& [index, text] : pairs) {
        if (index == language)
            return &text;
    }
    return nullptr;
}

} // namespace vexor
