#include "report/JobSheetSession.h"

#include "device/LPGDevice.h"
#include "report/JobSheetCollector.h"

void CJobSheetSession::connected(CLPGDevice& device) {
    const std::string& serial = device.settings().m_devInfo.m_serial;
    if (knows(serial))
        return;
    m_first.emplace(serial, vexor::readJobSheetFindings(device));
}

std::pair<SJobSheetFindings, SJobSheetFindings> CJobSheetSession::read(CLPGDevice& device) {
    SJobSheetFindings now = vexor::readJobSheetFindings(device);
    const auto [first, inserted] = m_first.emplace(device.settings().m_devInfo.m_serial, now);
    (void)inserted;
    return {first->second, now};
}
