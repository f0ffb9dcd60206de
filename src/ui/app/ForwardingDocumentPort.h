#pragma once

#include "app/IDocumentPort.h"

#include <utility>

// A document port that hands every call to the port it wraps. A port that
// differs from another only in a few answers derives from it and overrides
// those, so a new port method is forwarded here once and nowhere else.
class CForwardingDocumentPort : public IDocumentPort {
public:
    explicit CForwardingDocumentPort(IDocumentPort& inner) : m_inner(inner) {}

    void setSeams(const Seams& seams) override { m_inner.setSeams(seams); }
    void setHooks(SHooks hooks) override { m_inner.setHooks(std::move(hooks)); }
    bool isConnected() const override { return m_inner.isConnected(); }
    bool isDemo() const override { return m_inner.isDemo(); }
    vexor::LinkState linkState() const override { return m_inner.linkState(); }
    std::string portName() const override { return m_inner.portName(); }
    const DeviceSettings& settings() const override { return m_inner.settings(); }
    std::string title() const override { return m_inner.title(); }
    bool isCng() const override { return m_inner.isCng(); }
    void setCng(bool cng) override { m_inner.setCng(cng); }
    bool latestRecord(CDiag& out) const override { return m_inner.latestRecord(out); }
    bool switchToLpg() override { return m_inner.switchToLpg(); }
    bool switchToGasoline() override { return m_inner.switchToGasoline(); }
    bool switchToAuto() override { return m_inner.switchToAuto(); }
    bool waitForGasoline() override { return m_inner.waitForGasoline(); }
    bool setInjectorMask(std::uint8_t mask) override { return m_inner.setInjectorMask(mask); }
    bool readErrorText(std::string& description) override {
        return m_inner.readErrorText(description);
    }
    bool connectAtStart() override { return m_inner.connectAtStart(); }
    bool reconnect() override { return m_inner.reconnect(); }
    void startPolling() override { m_inner.startPolling(); }
    void stopPolling() override { m_inner.stopPolling(); }
    bool serviceAccess() const override { return m_inner.serviceAccess(); }
    void grantServiceAccess() override { m_inner.grantServiceAccess(); }
    void changeLanguage(int index) override { m_inner.changeLanguage(index); }
    DeviceSettings& editSettings() override { return m_inner.editSettings(); }
    bool writeBlock(vexor::SettingBlock block) override { return m_inner.writeBlock(block); }
    bool restart() override { return m_inner.restart(); }
    bool readStatistic() override { return m_inner.readStatistic(); }
    bool beforeChange(const char* reason) override { return m_inner.beforeChange(reason); }
    CJobSheetSession* jobSheetSession() override { return m_inner.jobSheetSession(); }
    CDriveHistory* driveHistory() override { return m_inner.driveHistory(); }
    std::string dataFolder() const override { return m_inner.dataFolder(); }
    CLPGDevice* controller() override { return m_inner.controller(); }
    std::string folder(Folder which) const override { return m_inner.folder(which); }
    bool imageComplete() const override { return m_inner.imageComplete(); }
    bool blockRead(vexor::SettingBlock block) const override { return m_inner.blockRead(block); }
    const CRawImage* rawImage() const override { return m_inner.rawImage(); }
    bool rereadImage() override { return m_inner.rereadImage(); }
    bool isPolling() const override { return m_inner.isPolling(); }
    bool watchLinkLost() override { return m_inner.watchLinkLost(); }
    std::string recordingPath() const override { return m_inner.recordingPath(); }
    bool reportRecordingError(COscilloscopeModel& model) override {
        return m_inner.reportRecordingError(model);
    }
    std::optional<long> endRecording(COscilloscopeModel& model, bool pause) override {
        return m_inner.endRecording(model, pause);
    }
    void startRecording(COscilloscopeModel& model) override { m_inner.startRecording(model); }
    std::string chooseRecording() override { return m_inner.chooseRecording(); }
    void refreshPages() override { m_inner.refreshPages(); }
    bool openFile(const std::string& path, std::string& problem) override {
        return m_inner.openFile(path, problem);
    }
    bool isOffline() const override { return m_inner.isOffline(); }
    bool fileModified() const override { return m_inner.fileModified(); }
    bool saveFile() override { return m_inner.saveFile(); }
    IDocumentPort* controllerPort() override { return m_inner.controllerPort(); }
    DocResult readSettingsFile() override { return m_inner.readSettingsFile(); }
    DocResult writeSettingsFile() override { return m_inner.writeSettingsFile(); }
    DocResult restoreDefaults() override { return m_inner.restoreDefaults(); }
    void recordVisit(const std::string& kind, const std::vector<std::string>& fields) override {
        m_inner.recordVisit(kind, fields);
    }
    DeviceSettings* fileImage() override { return m_inner.fileImage(); }
    void fileChanged() override { m_inner.fileChanged(); }
    DocResult restoreRaw(const CRawImage& raw) override { return m_inner.restoreRaw(raw); }
    DocResult updateFirmware(std::function<void(int done, int total)> progress) override {
        return m_inner.updateFirmware(std::move(progress));
    }

protected:
    IDocumentPort& inner() { return m_inner; }
    const IDocumentPort& inner() const { return m_inner; }

private:
    IDocumentPort& m_inner;
};
