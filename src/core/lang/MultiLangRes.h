#pragma once

#include "lang/MultiLangText.h"

#include <string_view>

// Text object filled from the twelve-slot layout: Polish, English, Italian,
// Spanish, Portuguese, Croatian, Russian, Turkish, German, Slovenian and two
// unused slots.
class CMultiLangRes : public CMultiLangText {
public:
    void add(int id, const vexor::TextSlots& slots) override;

    void add(int id, std::string_view polish, std::string_view english, std::string_view italian,
             std::string_view spanish, std::string_view portuguese, std::string_view croatian,
             std::string_view russian, std::string_view turkish, std::string_view german,
             std::string_view slovenian, std::string_view unused1 = {},
             std::string_view unused2 = {});
};
