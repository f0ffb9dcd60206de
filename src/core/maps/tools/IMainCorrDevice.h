#pragma once

#include "device/DeviceSettings.h"

// What the main correction tools need of the controller: the settings image
// and the write of the main correction block. CLPGDeviceLink puts a device
// behind it; tests put a scripted fake.
//
// A failing system call of the port throws a CRSError pointer through the
// write, as the device's own methods do.
class IMainCorrDevice {
public:
    virtual ~IMainCorrDevice() = default;

    virtual DeviceSettings& settings() = 0;
    virtual bool isConnected() const = 0;
    virtual bool writeMainCorr() = 0;
};
