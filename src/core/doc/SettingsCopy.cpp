#include "doc/SettingsCopy.h"

namespace vexor {

void applyLoadedSettings(DeviceSettings& device, const DeviceSettings& loaded) {
    copyBaseKeepingStation(device.m_base, loaded.m_base);
    device.m_adv = loaded.m_adv;
    copySetupTimes(device, loaded);
    device.m_mainCorr = loaded.m_mainCorr;
    copyInjMap(device, loaded);
    device.m_sensorsSetup = loaded.m_sensorsSetup;

    auto& to = device.m_advancedSetup;
    const auto& from = loaded.m_advancedSetup;
    to.m_minimalLPGRPM = from.m_minimalLPGRPM;
    to.m_switchCorr = from.m_switchCorr;
    to.m_switchCorrTime = from.m_switchCorrTime;
    to.m_maxLoad = from.m_maxLoad;
    to.m_advancedFlags = static_cast<std::uint8_t>((from.m_advancedFlags & ~kAdvFlagInspection) |
                                                   (to.m_advancedFlags & kAdvFlagInspection));
}

void applyFactoryDefaults(DeviceSettings& device) {
    const DeviceSettings factory;
    copyBaseKeepingStation(device.m_base, factory.m_base);
    device.m_adv = factory.m_adv;
    copySetupTimes(device, factory);
    device.m_mainCorr = factory.m_mainCorr;
    copyInjMap(device, factory);
    device.m_sensorsSetup = factory.m_sensorsSetup;
    device.m_advancedSetup = factory.m_advancedSetup;
}

} // namespace vexor
