#include "obd/OBDCodes.h"

#include "lang/Translate.h"

namespace {

constexpr char kLetters[] = {'P', 'C', 'B', 'U'};
constexpr char kHex[] = "0123456789ABCDEF";

} // namespace

COBDCodes::COBDCodes() {
    for (const Entry& e : entries())
        m_descriptions.emplace(e.code, e.description);
    // The first table's wording wins should a code ever appear in both.
    for (const Entry& e : genericEntries())
        m_descriptions.emplace(e.code, e.description);
}

std::string COBDCodes::codeName(std::uint16_t code) {
    std::string name(5, ' ');
    name[0] = kLetters[code >> 14];
    name[1] = kHex[(code >> 12) & 0x3];
    name[2] = kHex[(code >> 8) & 0xF];
    name[3] = kHex[(code >> 4) & 0xF];
    name[4] = kHex[code & 0xF];
    return name;
}

const char* COBDCodes::description(std::uint16_t code) const {
    const auto found = m_descriptions.find(code);
    return found != m_descriptions.end() ? found->second : nullptr;
}

std::string COBDCodes::text(std::uint16_t code) const {
    if (const char* own = description(code))
        return codeName(code) + "   " + own;
    return codeName(code) + "  " + vexor::translate(kUnknown);
}
