#include "device/LPGDeviceErr.h"

#include "device/CanErr.h"
#include "device/EEPROMError.h"
#include "device/InjError.h"
#include "device/SensorErr.h"
#include "device/TransmError.h"

#include <utility>

CLPGDeviceErr::CLPGDeviceErr(vexor::TextTranslator translator)
    : m_translator(std::move(translator)) {}

CLPGDeviceErr::~CLPGDeviceErr() = default;

void CLPGDeviceErr::setErrorTranslator(vexor::TextTranslator translator) {
    m_translator = std::move(translator);
}

void CLPGDeviceErr::buildErrorDecoders() {
    m_decoders.push_back(std::make_unique<CEEPROMError>(m_translator));
    m_decoders.push_back(std::make_unique<CInjError>(m_translator));
    m_decoders.push_back(std::make_unique<CSensorErr>(m_translator));
    m_decoders.push_back(std::make_unique<CCanErr>(m_translator));
    m_decoders.push_back(std::make_unique<CTransmError>(m_translator));
}

void CLPGDeviceErr::clearErrorDecoders() {
    m_decoders.clear();
}

const CDeviceErrorBase* CLPGDeviceErr::errorDecoder(std::size_t position) const {
    return position < m_decoders.size() ? m_decoders[position].get() : nullptr;
}

std::string CLPGDeviceErr::translate(const std::string& polish) const {
    return m_translator ? m_translator(polish) : polish;
}

std::string CLPGDeviceErr::describeErrors(const ErrorBytes& bytes) const {
    std::string text;
    for (std::size_t position = 0; position < kErrorBytes; ++position) {
        const std::uint8_t flags = bytes[position];
        // A clear byte is no fault, whether or not a decoder is there for it.
        if (flags == 0)
            continue;
        const CDeviceErrorBase* decoder = errorDecoder(position);
        text += decoder ? decoder->describeGroup(flags) : translate("Nierozpoznany kod błędu");
        text += "\r\n";
    }
    return text;
}
