#include "app/DocumentAdapter.h"

#include "doc/KorvantisDoc.h"

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
    return m_doc.portName();
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
