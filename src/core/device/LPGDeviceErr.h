#pragma once

#include "device/DeviceErrorBase.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// Holds the decoders of the controller's fault bytes, in byte order: memory,
// injectors, sensors, CAN, then the transmission group (which has no byte).
class CLPGDeviceErr {
public:
    static constexpr std::size_t kErrorBytes = 4;
    using ErrorBytes = std::array<std::uint8_t, kErrorBytes>;

    explicit CLPGDeviceErr(vexor::TextTranslator translator = {});
    ~CLPGDeviceErr();
    CLPGDeviceErr(const CLPGDeviceErr&) = delete;
    CLPGDeviceErr& operator=(const CLPGDeviceErr&) = delete;

    // Used by every decoder built from now on.
    void setErrorTranslator(vexor::TextTranslator translator);

    // Appends one set of the five decoders, their messages translated now.
    // Earlier sets stay in front, so describing keeps using the first set
    // until the list is cleared (a language change clears and rebuilds).
    void buildErrorDecoders();
    void clearErrorDecoders();
    std::size_t errorDecoderCount() const { return m_decoders.size(); }
    const CDeviceErrorBase* errorDecoder(std::size_t position) const;

    // The text of the four fault bytes: each non-empty group text followed by
    // CR LF. Empty when no bit is set.
    std::string describeErrors(const ErrorBytes& bytes) const;

private:
    std::string translate(const std::string& polish) const;

    vexor::TextTranslator m_translator;
    std::vector<std::unique_ptr<CDeviceErrorBase>> m_decoders;
};
