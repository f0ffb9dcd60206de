#pragma once

#include "device/AutoCalResult.h"
#include "device/DiagData.h"
#include "maps/tools/IMainCorrDevice.h"

// What the automatic calibration needs of the controller: the settings image,
// the live history the polling thread fills, and the commands of the run.
// CLPGDeviceLink puts a device behind it; tests put a scripted fake.
//
// Commands report the controller's refusal as false; a failing system call of
// the port throws a CRSError pointer through them, as the device's own
// methods do.
class IAutoCalDevice : public IMainCorrDevice {
public:
    virtual CDiagData& liveHistory() = 0;
    virtual bool isDemo() const = 0;

    virtual bool switchToGasoline() = 0;
    virtual bool switchToLpg() = 0;
    virtual bool switchToAuto() = 0;

    virtual bool readBase() = 0;
    virtual bool readAdv() = 0;
    virtual bool readMainCorr() = 0;
    virtual bool writeBase() = 0;
    virtual bool writeSetupTimes() = 0;
    virtual bool clearMap() = 0;
    virtual bool commitMap() = 0;

    // A run has ended; the device may keep what it did for later reports.
    virtual void calibrationEnded(const SAutoCalResult&) {}
};
