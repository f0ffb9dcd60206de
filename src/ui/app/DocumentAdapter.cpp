#include "app/DocumentAdapter.h"

#include "doc/KorvantisDoc.h"
#include "platform/PortTable.h"

#include <utility>

void CDocumentAdapter::setSeams(const Seams& seams) {
    m_doc.setSeams(seams);
}

void CDocumentAdapter::setHooks(SHooks hooks) {
    m_doc.setRefreshHook(std::move(hooks.refresh));
    m_doc.setPageRefreshHook(std::move(hooks.pageRefresh));
    m_doc.setTitleHook(std::move(hooks.title));
}

bool CDocumentAdapter::isConnected() const {
    return m_doc.isConnected();
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
    return m_doc.connect();
}
bool CDocumentAdapter::reconnect() {
    return m_doc.reconnect();
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
bool CDocumentAdapter::writeBase() {
    return m_doc.writeBase();
}
bool CDocumentAdapter::writeAdv() {
    return m_doc.writeAdv();
}
bool CDocumentAdapter::writeAdvancedSetup() {
    return m_doc.writeAdvancedSetup();
}
bool CDocumentAdapter::readStatistic() {
    return m_doc.readStatistic();
}
DocResult CDocumentAdapter::readSettingsFile() {
    return m_doc.OnFileReadSettings();
}
DocResult CDocumentAdapter::writeSettingsFile() {
    return m_doc.OnFileWriteSettings();
}
DocResult CDocumentAdapter::restoreDefaults() {
    return m_doc.OnDefaultValues();
}
DocResult CDocumentAdapter::updateFirmware(std::function<void(int done, int total)> progress) {
    // The hook lives only as long as this update: a later update without a
    // progress display must not call into a dialog that is gone.
    m_doc.setProgressHook(std::move(progress));
    const DocResult result = m_doc.OnDeviceUpdate();
    m_doc.setProgressHook({});
    return result;
}
bool CDocumentAdapter::writeSensorsSetup() {
    return m_doc.writeSensorsSetup();
}
bool CDocumentAdapter::restart() {
    return m_doc.restart();
}
