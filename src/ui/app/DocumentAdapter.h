#pragma once

#include "app/IDocumentPort.h"

class CKorvantisDoc;

// The program's document as the windows see it.
class CDocumentAdapter : public IDocumentPort {
public:
    explicit CDocumentAdapter(CKorvantisDoc& doc) : m_doc(doc) {}

    CKorvantisDoc* document() override { return &m_doc; }

    void setSeams(const Seams& seams) override;
    void setHooks(SHooks hooks) override;
    bool isConnected() const override;
    bool isDemo() const override;
    std::string portName() const override;
    const DeviceSettings& settings() const override;
    std::string title() const override;
    bool isCng() const override;
    void setCng(bool cng) override;
    bool latestRecord(CDiag& out) const override;
    bool switchToLpg() override;
    bool switchToGasoline() override;
    bool switchToAuto() override;
    bool waitForGasoline() override;
    bool setInjectorMask(std::uint8_t mask) override;
    bool readErrorText(std::string& description) override;
    bool connectAtStart() override;
    bool reconnect() override;
    void startPolling() override;
    void stopPolling() override;
    bool serviceAccess() const override;
    void grantServiceAccess() override;
    void changeLanguage(int index) override;
    DeviceSettings& editSettings() override;
    bool writeBase() override;
    bool writeAdv() override;
    bool writeAdvancedSetup() override;
    bool writeSensorsSetup() override;
    bool restart() override;
    bool readStatistic() override;
    DocResult readSettingsFile() override;
    DocResult writeSettingsFile() override;
    DocResult restoreDefaults() override;
    DocResult updateFirmware(std::function<void(int done, int total)> progress) override;

private:
    CKorvantisDoc& m_doc;
};
