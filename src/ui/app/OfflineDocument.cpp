#include "app/OfflineDocument.h"

#include "lang/Translate.h"
#include "pages/PanelWrite.h"
#include "settings/SettingsCheck.h"

#include <filesystem>
#include <utility>

namespace {
constexpr const char* kMsgFileNotSaved = "Nie można zapisać pliku ustawień.";
} // namespace

COfflineDocument::COfflineDocument(IDocumentPort& device) : CForwardingDocumentPort(device) {}

bool COfflineDocument::openFile(const std::string& path, std::string& problem) {
    const vexor::SSettingsFileProblem check = m_file.open(path);
    if (!check.ok()) {
        problem = vexor::translate(check.title());
        if (const std::string subject = check.subject(path); !subject.empty())
            problem += " (" + subject + ")";
        return false;
    }
    problem.clear();
    // Whatever the controller showed is no longer what the pages edit.
    inner().stopPolling();
    if (m_titleHook)
        m_titleHook(title());
    refreshPages();
    return true;
}

bool COfflineDocument::saveFile() {
    if (!m_file.isOpen())
        return false;
    if (!m_file.save()) {
        m_seams.message(vexor::translate(kMsgFileNotSaved) + "\n" + m_file.path(),
                        IUserPrompt::Icon::Error);
        return false;
    }
    if (m_titleHook)
        m_titleHook(title());
    return true;
}

bool COfflineDocument::edited() {
    m_file.edit();
    if (m_titleHook)
        m_titleHook(title());
    return true;
}

DocResult COfflineDocument::refuseOffline() const {
    m_seams.message(vexor::translate(vexor::kMsgPageNoConnection), IUserPrompt::Icon::Warning);
    return DocResult::Failed;
}

void COfflineDocument::setSeams(const Seams& seams) {
    m_seams = seams;
    inner().setSeams(seams);
}

void COfflineDocument::setHooks(SHooks hooks) {
    m_titleHook = hooks.title;
    m_pageRefresh = hooks.pageRefresh;
    inner().setHooks(std::move(hooks));
}

bool COfflineDocument::isConnected() const {
    return !isOffline() && inner().isConnected();
}
vexor::LinkState COfflineDocument::linkState() const {
    return isOffline() ? vexor::LinkState::OfflineFile : inner().linkState();
}
bool COfflineDocument::isDemo() const {
    return !isOffline() && inner().isDemo();
}
std::string COfflineDocument::portName() const {
    return isOffline() ? std::string() : inner().portName();
}
const DeviceSettings& COfflineDocument::settings() const {
    return isOffline() ? m_file.image() : inner().settings();
}
std::string COfflineDocument::title() const {
    return isOffline() ? "VEXOR - " + m_file.title() : inner().title();
}
bool COfflineDocument::latestRecord(CDiag& out) const {
    return !isOffline() && inner().latestRecord(out);
}

bool COfflineDocument::switchToLpg() {
    return !isOffline() && inner().switchToLpg();
}
bool COfflineDocument::switchToGasoline() {
    return !isOffline() && inner().switchToGasoline();
}
bool COfflineDocument::switchToAuto() {
    return !isOffline() && inner().switchToAuto();
}
bool COfflineDocument::waitForGasoline() {
    // A file has no engine to wait for: the step that follows edits it.
    return isOffline() || inner().waitForGasoline();
}
bool COfflineDocument::setInjectorMask(std::uint8_t mask) {
    return !isOffline() && inner().setInjectorMask(mask);
}
bool COfflineDocument::readErrorText(std::string& description) {
    return !isOffline() && inner().readErrorText(description);
}

bool COfflineDocument::connectAtStart() {
    // A file opened from the command line edits without a port search.
    return !isOffline() && inner().connectAtStart();
}
bool COfflineDocument::reconnect() {
    return !isOffline() && inner().reconnect();
}
void COfflineDocument::startPolling() {
    if (!isOffline())
        inner().startPolling();
}

DeviceSettings& COfflineDocument::editSettings() {
    if (!isOffline())
        return inner().editSettings();
    edited();
    return m_file.edit();
}
bool COfflineDocument::writeBlock(vexor::SettingBlock block) {
    return isOffline() ? edited() : inner().writeBlock(block);
}
bool COfflineDocument::restart() {
    return isOffline() || inner().restart();
}
bool COfflineDocument::readStatistic() {
    // The file's counters are what there is to show.
    return isOffline() || inner().readStatistic();
}
bool COfflineDocument::beforeChange(const char* reason) {
    // A file edit changes no controller: there is nothing to back up.
    return isOffline() || inner().beforeChange(reason);
}
CDriveHistory* COfflineDocument::driveHistory() {
    return isOffline() ? nullptr : inner().driveHistory();
}
void COfflineDocument::refreshPages() {
    if (m_pageRefresh)
        m_pageRefresh();
}

DocResult COfflineDocument::readSettingsFile() {
    if (!isOffline())
        return inner().readSettingsFile();
    if (m_seams.chooser == nullptr)
        return DocResult::Cancelled;
    const std::string folder = std::filesystem::path(m_file.path()).parent_path().string();
    const std::string path = m_seams.chooser->openPath(folder, "xset");
    if (path.empty())
        return DocResult::Cancelled;
    std::string problem;
    if (!openFile(path, problem)) {
        m_seams.message(problem, IUserPrompt::Icon::Error);
        return DocResult::FileError;
    }
    return DocResult::Done;
}

DocResult COfflineDocument::writeSettingsFile() {
    if (!isOffline())
        return inner().writeSettingsFile();
    if (m_seams.chooser == nullptr)
        return DocResult::Cancelled;
    const std::filesystem::path current(m_file.path());
    const std::string path = m_seams.chooser->savePath(current.parent_path().string(), "xset",
                                                       current.filename().string());
    if (path.empty())
        return DocResult::Cancelled;
    if (!m_file.saveAs(path)) {
        m_seams.message(vexor::translate(kMsgFileNotSaved) + "\n" + path, IUserPrompt::Icon::Error);
        return DocResult::FileError;
    }
    if (m_titleHook)
        m_titleHook(title());
    return DocResult::Done;
}

DocResult COfflineDocument::restoreDefaults() {
    return isOffline() ? refuseOffline() : inner().restoreDefaults();
}

DocResult COfflineDocument::restoreRaw(const CRawImage& raw) {
    return isOffline() ? refuseOffline() : inner().restoreRaw(raw);
}

void COfflineDocument::recordVisit(const std::string& kind,
                                   const std::vector<std::string>& fields) {
    // A file being edited is no visit of a car.
    if (!isOffline())
        inner().recordVisit(kind, fields);
}

DocResult COfflineDocument::updateFirmware(std::function<void(int done, int total)> progress) {
    return isOffline() ? refuseOffline() : inner().updateFirmware(std::move(progress));
}
