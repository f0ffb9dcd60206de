#include "lang/MultiLangRes.h"

void CMultiLangRes::add(int id, const vexor::TextSlots& slots) {
    store(id, vexor::pairsFromSlots(slots));
}

void CMultiLangRes::add(int id, std::string_view polish, std::string_view english,
                        std::string_view italian, std::string_view spanish,
                        std::string_view portuguese, std::string_view croatian,
                        std::string_view russian, std::string_view turkish, std::string_view german,
                        std::string_view slovenian, std::string_view unused1,
                        std::string_view unused2) {
    add(id, vexor::TextSlots{polish, english, italian, spanish, portuguese, croatian, russian,
                             turkish, german, slovenian, unused1, unused2});
}
