#pragma once

#include "app/IDocumentPort.h"

// A document with no controller behind it: never connected, every command
// refused. The window program runs on it until the device document is wired
// in; the window then shows its pages and keeps retrying the connection.
class COfflineDocument : public IDocumentPort {
public:
    void setSeams(const Seams& seams) override { m_seams = seams; }
    bool isConnected() const override { return false; }
    bool isDemo() const override { return false; }
    std::string portName() const override { return {}; }
    const DeviceSettings& settings() const override { return m_settings; }
    bool isCng() const override { return m_cng; }
    void setCng(bool cng) override { m_cng = cng; }
    bool latestRecord(CDiag&) const override { return false; }
    bool switchToLpg() override { return false; }
    bool switchToGasoline() override { return false; }
    bool switchToAuto() override { return false; }
    bool waitForGasoline() override { return false; }
    bool setInjectorMask(std::uint8_t) override { return false; }
    bool readErrorText(std::string&) override { return false; }
    bool connectAtStart() override { return false; }
    bool reconnect() override { return false; }
    void startPolling() override {}
    void stopPolling() override {}
    bool serviceAccess() const override { return m_service; }
    void grantServiceAccess() override { m_service = true; }
    void changeLanguage(int index) override;

private:
    Seams m_seams;
    DeviceSettings m_settings;
    bool m_cng = false;
    bool m_service = false;
};
