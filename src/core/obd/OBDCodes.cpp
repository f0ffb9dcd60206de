#include "obd/OBDCodes.h"

#include <cstdio>

namespace {

std::string hexDigits(std::uint16_t code) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04X", static_cast<unsigned>(code));
    return digits;
}

} // namespace

COBDCodes::COBDCodes() {
    for (const Entry& e : entries())
        m_texts.emplace(e.code, "P" + hexDigits(e.code) + "   " + e.description);
}

std::string COBDCodes::text(std::uint16_t code) const {
    const std::string fallback = hexDigits(code) + "  UNKNOWN ";
    if ((code & 0x0F00) != 0) {
        const auto found = m_texts.find(code);
        return found != m_texts.end() ? found->second : fallback;
    }
    const auto related = m_texts.find(static_cast<std::uint16_t>(code | 0x0100));
    return related != m_texts.end() ? fallback + " " + related->second : fallback;
}
