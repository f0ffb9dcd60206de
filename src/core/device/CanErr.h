#pragma once

#include "device/DeviceErrorBase.h"

// Decoder of the "CAN" fault byte.
class CCanErr : public CDeviceErrorBase {
public:
    explicit CCanErr(vexor::TextTranslator translator = {});
    std::string name() const override;
};
