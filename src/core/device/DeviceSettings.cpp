#include "device/DeviceSettings.h"

namespace vexor {

void copyBaseKeepingStation(DeviceSettings::Base& to, const DeviceSettings::Base& from) {
    const auto station = to.m_stationCode;
    to = from;
    to.m_stationCode = station;
}

void copySetupTimes(DeviceSettings& to, const DeviceSettings& from) {
    to.m_setupTimes1 = from.m_setupTimes1;
    to.m_setupTimes2 = from.m_setupTimes2;
    to.m_tableMask = from.m_tableMask;
}

void copyInjMap(DeviceSettings& to, const DeviceSettings& from) {
    to.m_injMapTable = from.m_injMapTable;
    to.m_corrMap = from.m_corrMap;
}

} // namespace vexor
