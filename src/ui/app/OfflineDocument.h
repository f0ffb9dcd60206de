#pragma once

#include "app/ForwardingDocumentPort.h"
#include "settings/OfflineSettings.h"

// The document port the windows talk to, with an offline mode: while a
// settings file is open, the pages show and change the file's image, every
// write to the controller is taken as done without sending anything, and
// the live parts stay empty. Otherwise every call goes to the controller's
// document behind it; what a file changes is overridden here, the rest is
// forwarded as it is.
class COfflineDocument : public CForwardingDocumentPort {
public:
    explicit COfflineDocument(IDocumentPort& device);

    // Opens a settings file for editing. On a problem, what was open stays
    // open and the problem is said in the user's language.
    bool openFile(const std::string& path, std::string& problem) override;
    bool isOffline() const override { return m_file.isOpen(); }
    bool fileModified() const override { return m_file.modified(); }
    // Writes the file back in place (atomically, time stamp kept); says so
    // when it cannot.
    bool saveFile() override;
    DeviceSettings* fileImage() override { return isOffline() ? &m_file.image() : nullptr; }
    void fileChanged() override {
        if (isOffline())
            edited();
    }
    IDocumentPort* controllerPort() override { return isOffline() ? &inner() : nullptr; }
    const COfflineSettings& file() const { return m_file; }

    void setSeams(const Seams& seams) override;
    void setHooks(SHooks hooks) override;
    bool isConnected() const override;
    bool isDemo() const override;
    vexor::LinkState linkState() const override;
    std::string portName() const override;
    const DeviceSettings& settings() const override;
    std::string title() const override;
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
    DeviceSettings& editSettings() override;
    bool writeBlock(vexor::SettingBlock block) override;
    bool restart() override;
    bool readStatistic() override;
    bool beforeChange(const char* reason) override;
    void refreshPages() override;
    // The records of this drive belong to the car connected, not to a file.
    CDriveHistory* driveHistory() override;
    // The controller's document holds nothing the file's pages may use: its
    // commands, folders, image and recording are out of reach.
    CLPGDevice* controller() override { return isOffline() ? nullptr : inner().controller(); }
    // The configuration (workshop, vehicle records) is the program's: it
    // stays where it was set while a file is open.
    std::string folder(Folder which) const override {
        return isOffline() && which != Folder::Config ? std::string() : inner().folder(which);
    }
    bool imageComplete() const override { return isOffline() || inner().imageComplete(); }
    bool blockRead(vexor::SettingBlock block) const override {
        return isOffline() || inner().blockRead(block);
    }
    const CRawImage* rawImage() const override {
        return isOffline() ? nullptr : inner().rawImage();
    }
    bool rereadImage() override { return !isOffline() && inner().rereadImage(); }
    bool isPolling() const override { return isOffline() || inner().isPolling(); }
    bool watchLinkLost() override { return !isOffline() && inner().watchLinkLost(); }
    std::string recordingPath() const override {
        return isOffline() ? std::string() : inner().recordingPath();
    }
    bool reportRecordingError(COscilloscopeModel& model) override {
        return !isOffline() && inner().reportRecordingError(model);
    }
    std::optional<long> endRecording(COscilloscopeModel& model, bool pause) override {
        return isOffline() ? std::nullopt : inner().endRecording(model, pause);
    }
    void startRecording(COscilloscopeModel& model) override {
        if (!isOffline())
            inner().startRecording(model);
    }
    std::string chooseRecording() override {
        return isOffline() ? std::string() : inner().chooseRecording();
    }
    DocResult readSettingsFile() override;
    DocResult writeSettingsFile() override;
    DocResult restoreDefaults() override;
    DocResult restoreRaw(const CRawImage& raw) override;
    void recordVisit(const std::string& kind, const std::vector<std::string>& fields) override;
    DocResult updateFirmware(std::function<void(int done, int total)> progress) override;

private:
    // A change of the file's image: the title gains its modified mark.
    bool edited();
    DocResult refuseOffline() const;

    COfflineSettings m_file;
    Seams m_seams;
    std::function<void(const std::string&)> m_titleHook;
    std::function<void()> m_pageRefresh;
};
