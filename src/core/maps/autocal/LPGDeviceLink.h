#pragma once

#include "device/LPGDevice.h"
#include "maps/autocal/IAutoCalDevice.h"

// The calibration and the main correction tools talking to a real device (or
// the document, which is one).
class CLPGDeviceLink : public IAutoCalDevice {
public:
    explicit CLPGDeviceLink(CLPGDevice& device) : m_device(device) {}

    DeviceSettings& settings() override { return m_device.settings(); }
    bool isConnected() const override { return m_device.isConnected(); }
    bool writeMainCorr() override { return m_device.writeMainCorr(); }

    CDiagData& liveHistory() override { return m_device.diagData(); }
    bool isDemo() const override { return m_device.isDemo(); }

    bool switchToGasoline() override { return m_device.switchToGasoline(); }
    bool switchToLpg() override { return m_device.switchToLpg(); }
    bool switchToAuto() override { return m_device.switchToAuto(); }

    bool readBase() override { return m_device.readBase(); }
    bool readAdv() override { return m_device.readAdv(); }
    bool readMainCorr() override { return m_device.readMainCorr(); }
    bool writeBase() override { return m_device.writeBase(); }
    bool writeSetupTimes() override { return m_device.writeSetupTimes(); }
    bool clearMap() override { return m_device.clearMap(); }
    bool commitMap() override { return m_device.commitMap(); }
    void calibrationEnded(const SAutoCalResult& result) override {
        m_device.setLastAutoCalibration(result);
    }

private:
    CLPGDevice& m_device;
};
