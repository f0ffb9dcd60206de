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
    setConnected(false);
    if (!handshake())
        return false;
    if (readDevInfo())
        m_readBlocks.set(ImageBlock::DevInfo);
    else
        message(kMsgVersionRead);
    setConnected(true);

    struct SRead {
        ImageBlock block;
        bool (CLPGDevice::*read)();
    };
    static constexpr SRead reads[] = {{ImageBlock::Sensors, &CLPGDevice::readSensorsSetup},
                                      {ImageBlock::Base, &CLPGDevice::readBase},
                                      {ImageBlock::Adv, &CLPGDevice::readAdv},
                                      {ImageBlock::MainCorr, &CLPGDevice::readMainCorr},
                                      {ImageBlock::SetupTimes, &CLPGDevice::readSetupTimes},
                                      {ImageBlock::InjMap, &CLPGDevice::readInjMap},
                                      {ImageBlock::AdvancedSetup, &CLPGDevice::readAdvancedSetup}};
    for (const SRead& r : reads) {
        if ((this->*r.read)())
            m_readBlocks.set(r.block);
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

bool CKorvantisDoc::blockRead(ImageBlock block) const {
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
        startPolling(m_logPath);
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
    startPolling();
    return true;
}
