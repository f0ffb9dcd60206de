// Connection set-up of the document: finding the controller on the port
// table, reading it whole, and the quiet retries of the reconnect timer.

#include "doc/KorvantisDoc.h"

#include "common/IError.h"
#include "lang/Translate.h"
#include "platform/PortTable.h"

#include <algorithm>
#include <memory>

bool CKorvantisDoc::connect() {
    // Cleared first, so a rebuild after a language change or a second
    // connect does not pile up sets of decoders.
    clearErrorDecoders();
    buildErrorDecoders();

    // Demonstration mode lasts for the whole run: scanning would only store
    // whatever port happens to open as the remembered one.
    if (isDemo()) {
        setConnected(true);
        callTitleHook();
        return true;
    }

    // A connection that was there before (the search after a firmware update)
    // must not outlive a search that finds nothing.
    setConnected(false);
    m_linkLost = false;
    m_connectedPort = 0;
    m_readBlocks.clear();

    const int remembered = m_registry.lastPort();
    bool found = remembered != 0 && connectPort(remembered);
    const int ports = static_cast<int>(vexor::currentPortTable().size());
    for (int n = 1; !found && n <= ports; ++n)
        found = connectPort(n);

    if (!found && seams().ask(vexor::translate(kMsgDemoQuestion), true))
        enterDemo();
    callTitleHook();
    return isConnected();
}

void CKorvantisDoc::enterDemo() {
    setDemo(true);
    setConnected(true);
    m_connectedPort = 0;
    (void)readDevInfo();
    callTitleHook();
}

bool CKorvantisDoc::connectPort(int n) {
    try {
        port().close();
        port().open(n);
        port().configure();
        if (!readAll())
            return false;
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        return false;
    }
    m_connectedPort = n;
    (void)m_registry.setLastPort(n);
    return true;
}

bool CKorvantisDoc::readAll() {
    if (isDemo()) {
        m_readBlocks.setAll();
        return true;
    }
    m_readBlocks.clear();
    forgetRawImage();
    setConnected(false);
    if (!handshake())
        return false;
    using vexor::SettingBlock;
    // The identity first; the controller counts as connected without it.
    if (vexor::readBlock(*this, SettingBlock::DevInfo))
        m_readBlocks.set(SettingBlock::DevInfo);
    else
        message(kMsgVersionRead);
    setConnected(true);

    for (const SettingBlock block : vexor::kImageReadOrder) {
        if (block == SettingBlock::DevInfo)
            continue;
        if (vexor::readBlock(*this, block))
            m_readBlocks.set(block);
        else
            message(kMsgSettingsRead);
    }
    if (m_lambdaTypeHook)
        m_lambdaTypeHook(settings().m_sensorsSetup.m_lambdaType);
    return true;
}

bool CKorvantisDoc::imageComplete() const {
    return isDemo() || m_readBlocks.complete();
}

bool CKorvantisDoc::blockRead(vexor::SettingBlock block) const {
    return isDemo() || m_readBlocks.has(block);
}

bool CKorvantisDoc::rereadImage() {
    if (isDemo())
        return true;
    const bool polling = pollingActive() || isRunning();
    if (polling)
        stopPolling();
    const bool answered = readAll();
    if (answered && polling)
        resumePolling();
    callTitleHook();
    return answered && imageComplete();
}

bool CKorvantisDoc::reconnect() {
    if (!isDemo()) {
        const int remembered = m_registry.lastPort();
        bool found = remembered != 0 && connectPort(remembered);
        const int ports =
            std::min<int>(kReconnectPorts, static_cast<int>(vexor::currentPortTable().size()));
        for (int n = 1; !found && n <= ports; ++n)
            found = connectPort(n);
        if (!found)
            return false;
    }
    m_linkLost = false;
    // A recording that was running goes on in its file.
    resumePolling();
    return true;
}

bool CKorvantisDoc::pollFailed() const {
    if (m_poll.endedOnFailure.load())
        return true;
    // A long command holds the line and the reads wait for it without
    // failing: only reads that failed, for long enough, mean silence.
    const long long silent = CPollControl::nowMs() - m_poll.lastRecordMs.load();
    return m_poll.running.load() && m_poll.failures.load() > 0 && silent >= kSilenceLimit.count();
}

vexor::LinkState CKorvantisDoc::linkState() const {
    if (isDemo())
        return vexor::LinkState::Demo;
    if (m_linkLost)
        return vexor::LinkState::Lost;
    if (!isConnected())
        return vexor::LinkState::NotConnected;
    return pollFailed() ? vexor::LinkState::Lost : vexor::LinkState::Connected;
}

vexor::LinkState CKorvantisDoc::watchLink() {
    if (isDemo())
        return vexor::LinkState::Demo;
    if (!m_linkLost && isConnected() && pollFailed()) {
        m_linkLost = true;
        m_lostAtRecordMs = m_poll.lastRecordMs.load();
        setConnected(false);
    } else if (m_linkLost && !m_poll.endedOnFailure.load() && m_poll.failures.load() == 0 &&
               m_poll.lastRecordMs.load() != m_lostAtRecordMs && pollingActive()) {
        // The controller answered again on the same line before the run gave
        // up on it: nothing was closed, so nothing needs reading anew.
        m_linkLost = false;
        setConnected(true);
    }
    return linkState();
}
