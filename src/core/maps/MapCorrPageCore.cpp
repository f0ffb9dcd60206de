#include "maps/MapCorrPageCore.h"

#include "device/LPGDevice.h"
#include "lang/Language.h"
#include "maps/LivePoint.h"
#include "maps/MapMenu.h"

CMapCorrPageCore::CMapCorrPageCore(CInjMapModel& model, CLPGDevice& device)
    : m_model(model), m_device(device) {}

void CMapCorrPageCore::activate() {
    CBusyScope busy(m_device.seams().cursor);
    m_model.loadFrom(m_device.settings());
    m_model.setModified(false);
}

int CMapCorrPageCore::menuId() const {
    return vexor::mapMenuId(vexor::currentLanguage());
}

bool CMapCorrPageCore::liveRefresh() {
    const CMapTrail::Clock::time_point now = m_clock();
    m_model.trail().expire(now);
    // Without a live link the engine's place is unknown: the marker goes and
    // the trail stops growing (it fades out as it ages).
    if (!m_device.isConnected())
        return m_model.hideMarker();
    CDiag record;
    if (!m_device.diagData().latest(record))
        return false;
    const DeviceSettings& s = m_device.settings();
    const vexor::SLivePoint point = vexor::livePointOf(record, s.m_devInfo.m_injCount);
    m_model.trail().add(now, point.rpm, point.petrolMs, s.m_corrMap.m_flags);
    return m_model.trackPoint(point.rpm, point.petrolMs, s.m_corrMap.m_flags);
}
