#pragma once

#include "device/DeviceErrorBase.h"

// Decoder of the "Transmisja" fault byte.
class CTransmError : public CDeviceErrorBase {
public:
    explicit CTransmError(vexor::TextTranslator translator = {});
    std::string name() const override;
};
