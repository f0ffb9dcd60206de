#include "app/DocumentAdapter.h"

#include "backup/ConnectionBackups.h"
#include "common/IError.h"
#include "doc/KorvantisDoc.h"
#include "history/VisitRecord.h"
#include "lang/Translate.h"
#include "oscilloscope/OscilloscopeModel.h"
#include "platform/PortTable.h"
#include "report/JobSheetSession.h"

#include <ctime>
#include <memory>
#include <utility>

namespace {
constexpr const char* kMsgBackupFailed = "Nie można zapisać kopii zapasowej ustawień sterownika.";
constexpr const char* kMsgGoOnWithoutBackup = "Czy kontynuować bez kopii zapasowej?";
constexpr const char* kReasonEdit = "edit";

// Sets the reason the document's change guard backs up for while an action
// runs, and puts the ordinary one back afterwards.
class CReasonScope {
public:
    CReasonScope(const char*& slot, const char* reason) : m_slot(slot), m_old(slot) {
        slot = reason;
    }
    ~CReasonScope() { m_slot = m_old; }
    CReasonScope(const CReasonScope&) = delete;
    CReasonScope& operator=(const CReasonScope&) = delete;

private:
    const char*& m_slot;
    const char* m_old;
};
} // namespace

CDocumentAdapter::CDocumentAdapter(CKorvantisDoc& doc)
    : m_doc(doc), m_session(std::make_unique<CJobSheetSession>()) {
    m_doc.setChangeGuard([this] { return beforeChange(m_wholeReason); });
    m_doc.setRecordObserver([history = m_driveHistory](const CDiag&, const std::string& line) {
        history->addLine(line);
    });
}

CDocumentAdapter::~CDocumentAdapter() {
    m_doc.setChangeGuard({});
    m_doc.setRecordObserver({});
}

void CDocumentAdapter::setSeams(const Seams& seams) {
    m_doc.setSeams(seams);
}

void CDocumentAdapter::refreshPages() {
    if (m_pageRefresh)
        m_pageRefresh();
}

std::string CDocumentAdapter::dataFolder() const {
    return m_doc.dataFolder();
}

bool CDocumentAdapter::beforeChange(const char* reason) {
    if (m_doc.isDemo())
        return true;
    if (!m_backups)
        m_backups = std::make_unique<CConnectionBackups>(m_doc.dataFolder());
    const bool edit = std::string(reason) == kReasonEdit;
    std::string error;
    const std::time_t now = std::time(nullptr);
    const bool taken =
        edit ? m_backups->beforeEdit(m_doc.settings(), false, now, error, &m_doc.rawImage())
             : m_backups->beforeWholeImage(m_doc.settings(), reason, false, now, error,
                                           &m_doc.rawImage());
    if (taken)
        return true;
    // Without a backup the settings replaced are lost for good: going on is
    // the user's choice, never the default.
    const std::string question = vexor::translate(kMsgBackupFailed) + "\n" + error + "\n" +
                                 vexor::translate(kMsgGoOnWithoutBackup);
    if (!m_doc.seams().ask(question, false))
        return false;
    if (edit)
        m_backups->goOnWithout();
    return true;
}

void CDocumentAdapter::setHooks(SHooks hooks) {
    m_pageRefresh = hooks.pageRefresh;
    m_doc.setRefreshHook(std::move(hooks.refresh));
    m_doc.setPageRefreshHook(std::move(hooks.pageRefresh));
    m_doc.setTitleHook(std::move(hooks.title));
}

bool CDocumentAdapter::isConnected() const {
    return m_doc.isConnected();
}
vexor::LinkState CDocumentAdapter::linkState() const {
    return m_doc.linkState();
}
bool CDocumentAdapter::isDemo() const {
    return m_doc.isDemo();
}
std::string CDocumentAdapter::portName() const {
    // The adapter's stable by-id name when it has one: that is the name that
    // stays when the kernel renumbers it.
    const std::string path = m_doc.portName();
    const std::string stable = path.empty() ? std::string() : vexor::stableName(path);
    return stable.empty() ? path : stable;
}
const DeviceSettings& CDocumentAdapter::settings() const {
    return m_doc.settings();
}
std::string CDocumentAdapter::title() const {
    return m_doc.title();
}
bool CDocumentAdapter::isCng() const {
    return m_doc.isCng();
}
void CDocumentAdapter::setCng(bool cng) {
    m_doc.setCng(cng);
}

bool CDocumentAdapter::latestRecord(CDiag& out) const {
    return m_doc.diagData().latest(out);
}

bool CDocumentAdapter::switchToLpg() {
    return m_doc.switchToLpg();
}
bool CDocumentAdapter::switchToGasoline() {
    return m_doc.switchToGasoline();
}
bool CDocumentAdapter::switchToAuto() {
    return m_doc.switchToAuto();
}
bool CDocumentAdapter::waitForGasoline() {
    return m_doc.waitForGasoline();
}
bool CDocumentAdapter::setInjectorMask(std::uint8_t mask) {
    return m_doc.setInjectorMask(mask);
}

bool CDocumentAdapter::readErrorText(std::string& description) {
    CLPGDeviceErr::ErrorBytes bytes{};
    if (!m_doc.readErrors(bytes))
        return false;
    description = m_doc.describeErrors(bytes);
    return true;
}

bool CDocumentAdapter::connectAtStart() {
    // A new connection may be another controller: its first change backs it
    // up again.
    if (m_backups)
        m_backups->connected();
    m_driveHistory->clear();
    const bool found = m_doc.connect();
    if (found)
        connected();
    return found;
}
bool CDocumentAdapter::reconnect() {
    const bool found = m_doc.reconnect();
    if (found && m_backups)
        m_backups->connected();
    if (found)
        connected();
    return found;
}

void CDocumentAdapter::connected() {
    vexor::recordConnection(m_doc, VEXOR_VERSION_TEXT);
    // The sheet's "at connection" column: a link that fails while it is
    // read leaves the column to the first sheet, as before.
    try {
        m_session->connected(m_doc);
    } catch (IError* raw) {
        const std::unique_ptr<IError> dropped(raw);
    }
}
void CDocumentAdapter::recordVisit(const std::string& kind,
                                   const std::vector<std::string>& fields) {
    vexor::recordVisitEvent(m_doc, kind, fields);
}
void CDocumentAdapter::startPolling() {
    m_doc.startPolling();
}
void CDocumentAdapter::stopPolling() {
    m_doc.stopPolling();
}
bool CDocumentAdapter::serviceAccess() const {
    return m_doc.serviceAccess();
}
void CDocumentAdapter::grantServiceAccess() {
    m_doc.setServiceAccess(true);
}
void CDocumentAdapter::changeLanguage(int index) {
    m_doc.changeLanguage(index);
}

DeviceSettings& CDocumentAdapter::editSettings() {
    return m_doc.settings();
}
bool CDocumentAdapter::writeBlock(vexor::SettingBlock block) {
    return vexor::writeBlock(m_doc, block);
}
bool CDocumentAdapter::readStatistic() {
    return m_doc.readStatistic();
}
DocResult CDocumentAdapter::readSettingsFile() {
    const CReasonScope scope(m_wholeReason, "load");
    return m_doc.OnFileReadSettings();
}
DocResult CDocumentAdapter::writeSettingsFile() {
    return m_doc.OnFileWriteSettings();
}
DocResult CDocumentAdapter::restoreDefaults() {
    const CReasonScope scope(m_wholeReason, "defaults");
    return m_doc.OnDefaultValues();
}
DocResult CDocumentAdapter::restoreRaw(const CRawImage& raw) {
    const CReasonScope scope(m_wholeReason, "restore");
    return m_doc.OnRestoreRaw(raw);
}
DocResult CDocumentAdapter::updateFirmware(std::function<void(int done, int total)> progress) {
    // Programming replaces every setting with the new firmware's defaults:
    // once an image is chosen, the controller is backed up; a backup
    // declined reads as a cancelled choice, so nothing is sent.
    class CBackingUpChooser : public IFileChooser {
    public:
        CBackingUpChooser(IFileChooser* inner, CDocumentAdapter& adapter)
            : m_inner(inner), m_adapter(adapter) {}
        std::string openPath(const std::string& folder, const std::string& extension) override {
            std::string path = m_inner ? m_inner->openPath(folder, extension) : std::string();
            if (!path.empty() && m_adapter.isConnected() && !m_adapter.beforeChange("flash"))
                path.clear();
            return path;
        }
        std::string savePath(const std::string& folder, const std::string& extension,
                             const std::string& suggestedName) override {
            return m_inner ? m_inner->savePath(folder, extension, suggestedName) : std::string();
        }

    private:
        IFileChooser* m_inner;
        CDocumentAdapter& m_adapter;
    };
    const Seams original = m_doc.seams();
    CBackingUpChooser chooser(original.chooser, *this);
    Seams seams = original;
    seams.chooser = &chooser;
    m_doc.setSeams(seams);
    // The hook lives only as long as this update: a later update without a
    // progress display must not call into a dialog that is gone.
    m_doc.setProgressHook(std::move(progress));
    const DocResult result = m_doc.OnDeviceUpdate();
    m_doc.setProgressHook({});
    m_doc.setSeams(original);
    return result;
}
bool CDocumentAdapter::restart() {
    return m_doc.restart();
}

CLPGDevice* CDocumentAdapter::controller() {
    return &m_doc;
}
std::string CDocumentAdapter::folder(Folder which) const {
    switch (which) {
    case Folder::Data:
        return m_doc.dataFolder();
    case Folder::Settings:
        return m_doc.settingsFolder();
    case Folder::Recordings:
        return m_doc.oscilloscopeFolder();
    case Folder::Config:
        return m_doc.registry().folder();
    }
    return {};
}

bool CDocumentAdapter::imageComplete() const {
    return m_doc.imageComplete();
}
bool CDocumentAdapter::blockRead(vexor::SettingBlock block) const {
    return m_doc.blockRead(block);
}
const CRawImage* CDocumentAdapter::rawImage() const {
    return &m_doc.rawImage();
}
bool CDocumentAdapter::rereadImage() {
    return m_doc.rereadImage();
}

bool CDocumentAdapter::isPolling() const {
    return m_doc.isRunning();
}
bool CDocumentAdapter::watchLinkLost() {
    return m_doc.watchLink() == vexor::LinkState::Lost && !m_doc.pollingActive();
}

std::string CDocumentAdapter::recordingPath() const {
    return COscilloscopeModel::recordingPath(m_doc);
}
bool CDocumentAdapter::reportRecordingError(COscilloscopeModel& model) {
    return model.reportRecordingError(m_doc);
}
std::optional<long> CDocumentAdapter::endRecording(COscilloscopeModel& model, bool pause) {
    return pause ? model.pause(m_doc) : model.stopRecording(m_doc);
}
void CDocumentAdapter::startRecording(COscilloscopeModel& model) {
    (void)model.record(m_doc);
}
std::string CDocumentAdapter::chooseRecording() {
    return COscilloscopeModel::choose(m_doc);
}
