#include "obd/ObdDiagnostic.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "diag/HandlerReport.h"
#include "lang/Translate.h"
#include "obd/ObdSetupFields.h"

#include <memory>

namespace {
constexpr std::uint32_t kFlagObdInterface = 0x01;
} // namespace

CObdDiagnostic::CObdDiagnostic(CLPGDevice& device)
    : m_device(device), m_setup(vexor::defaultObdSetup()) {}

bool CObdDiagnostic::initialise() {
    m_available = false;
    if (!m_device.isConnected() || !(m_device.settings().m_devInfo.m_flags1 & kFlagObdInterface))
        return false;
    if (m_device.isDemo()) {
        m_available = true;
        return true;
    }
    try {
        m_available = readLink();
    } catch (IError* error) {
        vexor::reportHandlerError(m_device.seams(), kHandlerInit, std::unique_ptr<IError>(error));
    }
    return m_available;
}

bool CObdDiagnostic::readLink() {
    if (!m_device.readObdSetup(m_setup)) {
        m_device.seams().message(vexor::translate(kMsgRead), IUserPrompt::Icon::Error);
        return false;
    }
    if (m_setup[vexor::kObdSetupLink] != vexor::kObdLinkOn)
        return false;
    return m_poller.readSupported(m_device, vexor::obdSetupProtocol(m_setup));
}

void CObdDiagnostic::onGetDiag() {
    // The demonstration has no car to ask.
    if (!m_available || !m_device.isConnected() || m_device.isDemo())
        return;
    try {
        m_poller.poll(m_device, vexor::obdSetupProtocol(m_setup));
    } catch (IError* error) {
        vexor::reportHandlerError(m_device.seams(), kHandlerPoll, std::unique_ptr<IError>(error));
    }
}

const std::string& CObdDiagnostic::text(int slot) const {
    static const std::string none;
    if (slot == CObdPidTable::kSlotLoad)
        return none;
    return m_poller.table().text(slot);
}
