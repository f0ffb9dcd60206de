#include "diag/ErrorsDlgModel.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "diag/HandlerReport.h"
#include "lang/Translate.h"

#include <memory>
#include <utility>

CErrorsDlgModel::CErrorsDlgModel(CLPGDevice& device, IndicatorFn indicator)
    : m_device(device), m_indicator(std::move(indicator)) {}

void CErrorsDlgModel::init() {
    try {
        CBusyScope busy(m_device.seams().cursor);
        // The box shows the image's setting whether or not the faults can
        // be read: it says what the controller was last told.
        m_signal = (m_device.settings().m_base.m_flags & kContinuousSignal) != 0;
        (void)readFaults();
    } catch (IError* error) {
        vexor::reportHandlerError(m_device.seams(), kHandlerInit, std::unique_ptr<IError>(error));
    }
}

std::string CErrorsDlgModel::shownText() const {
    if (m_clearedClean && m_text.empty())
        return vexor::translate(kMsgNoFaults);
    // The decoded text starts each group on a new line, the first one too:
    // the box starts with the first fault, not with blank lines.
    const std::size_t first = m_text.find_first_not_of("\r\n");
    return first == std::string::npos ? std::string() : m_text.substr(first);
}

bool CErrorsDlgModel::readFaults() {
    m_text.clear();
    CLPGDeviceErr::ErrorBytes bytes{};
    if (!m_device.readErrors(bytes)) {
        m_device.seams().message(vexor::translate(kMsgRead), IUserPrompt::Icon::Information);
        return false;
    }
    m_text = m_device.describeErrors(bytes);
    if (m_indicator)
        m_indicator(!m_text.empty());
    return true;
}

void CErrorsDlgModel::clear() {
    m_clearedClean = false;
    try {
        CBusyScope busy(m_device.seams().cursor);
        if (!m_device.restart()) {
            m_device.seams().message(vexor::translate(kMsgClear), IUserPrompt::Icon::Information);
            return;
        }
        // The old text would claim faults the controller no longer holds.
        m_clearedClean = readFaults() && m_text.empty();
    } catch (IError* error) {
        vexor::reportHandlerError(m_device.seams(), kHandlerClear, std::unique_ptr<IError>(error));
    }
}

void CErrorsDlgModel::setContinuousSignal(bool ticked) {
    m_signal = ticked;
    if (!m_device.isConnected())
        return;
    try {
        CBusyScope busy(m_device.seams().cursor);
        std::uint8_t& flags = m_device.settings().m_base.m_flags;
        if (ticked)
            flags = static_cast<std::uint8_t>(flags | kContinuousSignal);
        else
            flags = static_cast<std::uint8_t>(flags & ~kContinuousSignal);
        if (!m_device.writeBase())
            m_device.seams().message(vexor::translate(kMsgWrite), IUserPrompt::Icon::Error);
    } catch (IError* error) {
        vexor::reportHandlerError(m_device.seams(), kHandlerSignal, std::unique_ptr<IError>(error));
    }
}
