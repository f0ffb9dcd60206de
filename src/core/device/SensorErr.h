#pragma once

#include "device/DeviceErrorBase.h"

// Decoder of the "Czujniki" fault byte.
class CSensorErr : public CDeviceErrorBase {
public:
    explicit CSensorErr(vexor::TextTranslator translator = {});
    std::string name() const override;
};
