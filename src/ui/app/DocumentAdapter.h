#pragma once

#include "app/IDocumentPort.h"
#include "maps/DriveHistory.h"

#include <memory>

class CConnectionBackups;
class CJobSheetSession;
class CKorvantisDoc;

// The program's document as the windows see it.
class CDocumentAdapter : public IDocumentPort {
public:
    // Takes the document's change guard: its load and factory settings back
    // the controller up first. Gives it back when destroyed.
    explicit CDocumentAdapter(CKorvantisDoc& doc);
    ~CDocumentAdapter() override;
    CDocumentAdapter(const CDocumentAdapter&) = delete;
    CDocumentAdapter& operator=(const CDocumentAdapter&) = delete;

    void setSeams(const Seams& seams) override;
    void setHooks(SHooks hooks) override;
    bool isConnected() const override;
    bool isDemo() const override;
    vexor::LinkState linkState() const override;
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
    bool writeBlock(vexor::SettingBlock block) override;
    bool restart() override;
    bool readStatistic() override;
    DocResult readSettingsFile() override;
    DocResult writeSettingsFile() override;
    DocResult restoreDefaults() override;
    DocResult restoreRaw(const CRawImage& raw) override;
    void recordVisit(const std::string& kind, const std::vector<std::string>& fields) override;
    DocResult updateFirmware(std::function<void(int done, int total)> progress) override;
    bool beforeChange(const char* reason) override;
    CJobSheetSession* jobSheetSession() override { return m_session.get(); }
    std::string dataFolder() const override;
    void refreshPages() override;
    CDriveHistory* driveHistory() override { return m_driveHistory.get(); }
    CLPGDevice* controller() override;
    std::string folder(Folder which) const override;
    bool imageComplete() const override;
    bool blockRead(vexor::SettingBlock block) const override;
    const CRawImage* rawImage() const override;
    bool rereadImage() override;
    bool isPolling() const override;
    bool watchLinkLost() override;
    std::string recordingPath() const override;
    bool reportRecordingError(COscilloscopeModel& model) override;
    std::optional<long> endRecording(COscilloscopeModel& model, bool pause) override;
    void startRecording(COscilloscopeModel& model) override;
    std::string chooseRecording() override;

private:
    CKorvantisDoc& m_doc;
    // This connection's backups; made at the first change, so that the data
    // folder is the one in force then.
    std::unique_ptr<CConnectionBackups> m_backups;
    // What the document's change guard backs up for (the action under way).
    const char* m_wholeReason = "load";
    std::function<void()> m_pageRefresh;
    std::unique_ptr<CJobSheetSession> m_session;

    // A controller was connected: the job sheet keeps what it had then.
    void connected();
    // Every record polled since the connection was made at start (a
    // reconnection goes on with the same drive). Shared with the polling
    // thread's observer, which may outlive this adapter by a record.
    std::shared_ptr<CDriveHistory> m_driveHistory = std::make_shared<CDriveHistory>();
};
