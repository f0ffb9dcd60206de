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
    if (isDemo())
        return true;
    setConnected(false);
    if (!handshake())
        return false;
    if (!readDevInfo())
        message(kMsgVersionRead);
    setConnected(true);

    bool (CLPGDevice::*const reads[])() = {&CLPGDevice::readSensorsSetup, &CLPGDevice::readBase,
                                           &CLPGDevice::readAdv,          &CLPGDevice::readMainCorr,
                                           &CLPGDevice::readSetupTimes,   &CLPGDevice::readInjMap,
                                           &CLPGDevice::readAdvancedSetup};
    for (auto read : reads) {
        if (!(this->*read)())
            message(kMsgSettingsRead);
    }
    if (m_lambdaTypeHook)
        m_lambdaTypeHook(settings().m_sensorsSetup.m_lambdaType);
    return true;
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
