#pragma once

#include "device/DeviceErrorBase.h"

// Decoder of the "Wtryskiwacze" fault byte.
class CInjError : public CDeviceErrorBase {
public:
    explicit CInjError(vexor::TextTranslator translator = {});
    std::string name() const override;

protected:
    // Several injector faults are listed as alternatives ("... lub ...").
    bool joinsAlternatives() const override { return true; }
};
