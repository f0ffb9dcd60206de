#pragma once

#include "device/DeviceErrorBase.h"

// Decoder of the "Dane" fault byte.
class CEEPROMError : public CDeviceErrorBase {
public:
    explicit CEEPROMError(vexor::TextTranslator translator = {});
    std::string name() const override;
};
