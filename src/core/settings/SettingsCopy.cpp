#include "settings/SettingsCopy.h"

namespace vexor {

void applyLoadedSettings(DeviceSettings& device, const DeviceSettings& loaded) {
    copyBaseKeepingStation(device.m_base, loaded.m_base);
    // A file carries no injector pattern: the controller keeps the one it has,
    // a default pattern would rewire a car with crossed injectors.
    const auto pattern = device.m_adv.m_injSequence;
    device.m_adv = loaded.m_adv;
    device.m_adv.m_injSequence = pattern;
    copySetupTimes(device, loaded);
    device.m_mainCorr = loaded.m_mainCorr;
    copyInjMap(device, loaded);
    device.m_sensorsSetup = loaded.m_sensorsSetup;

    auto& to = device.m_advancedSetup;
    const auto& from = loaded.m_advancedSetup;
    to.m_minimalLPGRPM = from.m_minimalLPGRPM;
    to.m_switchCorr = from.m_switchCorr;
    to.m_switchCorrTime = from.m_switchCorrTime;
    // m_maxLoad, m_serviceLimit and m_advancedFlags2 are not in a file either:
    // they stay as the controller has them.
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
