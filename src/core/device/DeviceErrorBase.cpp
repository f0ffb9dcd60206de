#include "device/DeviceErrorBase.h"

#include <sstream>
#include <utility>

CDeviceErrorBase::CDeviceErrorBase(vexor::TextTranslator translator)
    : m_translator(std::move(translator)) {}

void CDeviceErrorBase::addMessage(const std::string& polish) {
    m_messages.push_back(translate(polish));
}

std::string CDeviceErrorBase::translate(const std::string& polish) const {
    return m_translator ? m_translator(polish) : polish;
}

std::string CDeviceErrorBase::describeGroup(std::uint8_t flags) const {
    if (flags == 0)
        return {};
    std::ostringstream text;
    for (unsigned bit = 0; bit < 8; ++bit) {
        const unsigned mask = 1u << bit;
        if ((flags & mask) == 0)
            continue;
        if (bit < m_messages.size()) {
            text << "\r\n" << m_messages[bit];
            if (joinsAlternatives() && (flags >> (bit + 1)) != 0)
                text << translate(" lub");
            text << ' ';
        } else {
            text << translate("\r\n        Nierozpoznany kod błędu = 0x") << std::hex << mask
                 << std::dec << ' ';
        }
    }
    return text.str();
}
