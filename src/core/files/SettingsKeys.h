#pragma once

#include "device/DeviceSettings.h"

#include <string>

// The keys of a settings file, group by group in the order they are written.
// Each group calls f(key, member) for its members in turn; f decides whether
// it reads, writes or checks.
namespace vexor::settings_keys {

using Settings = DeviceSettings;

template <class S, class F> void timeStampKeys(S& s, F& f) {
    f("m_timeStamp", s.m_timeStamp);
}

template <class S, class F> void devInfoKeys(S& s, F& f) {
    auto& d = s.m_devInfo;
    f("m_devInfo.m_version", d.m_version);
    f("m_devInfo.m_injCount", d.m_injCount);
    f("m_devInfo.m_serial", d.m_serial);
    f("m_devInfo.m_prodDate", d.m_prodDate);
    f("m_devInfo.m_flags1", d.m_flags1);
    f("m_devInfo.m_flags2", d.m_flags2);
    f("m_devInfo.m_deviceID", d.m_deviceID);
    f("m_devInfo.m_statistic.gas", d.m_statistic.gas);
    f("m_devInfo.m_statistic.lpg", d.m_statistic.lpg);
    f("m_devInfo.m_statistic.modify", d.m_statistic.modify);
}

template <class S, class F> void carInfoKeys(S& s, F& f) {
    auto& c = s.m_carInfo;
    f("m_carInfo.m_vendor", c.m_vendor);
    f("m_carInfo.m_model", c.m_model);
    f("m_carInfo.m_engine", c.m_engine);
    f("m_carInfo.m_power", c.m_power);
    f("m_carInfo.m_prodYear", c.m_prodYear);
    f("m_carInfo.m_injectors", c.m_injectors);
    f("m_carInfo.m_reductorPress", c.m_reductorPress);
}

template <class S, class F> void baseKeys(S& s, F& f) {
    auto& b = s.m_base;
    f("m_base.m_switchRPM", b.m_switchRPM);
    f("m_base.m_switchTempr", b.m_switchTempr);
    f("m_base.m_sparkDivider", b.m_sparkDivider);
    f("m_base.m_switchPressure", b.m_switchPressure);
    f("m_base.m_switchDelay", b.m_switchDelay);
    f("m_base.m_switchMinGasTime", b.m_switchMinGasTime);
    f("m_base.m_flags", b.m_flags);
    f("m_base.m_emulatorDelay", b.m_emulatorDelay);
    f("m_base.m_pressureGain", b.m_pressureGain);
    f("m_base.m_pressureRef", b.m_pressureRef);
    f("m_base.m_pressAverageCount", b.m_pressAverageCount);
    f("m_base.m_temprRef", b.m_temprRef);
    f("m_base.m_temprGain", b.m_temprGain);
    f("m_base.m_temprBottom", b.m_temprBottom);
    f("m_base.m_temprUpper", b.m_temprUpper);
    f("m_base.m_minVCC", b.m_minVCC);
    f("m_base.m_maxTemprInside", b.m_maxTemprInside);
    f("m_base.m_maxRPMHigh", b.m_maxRPMHigh);
    f("m_base.m_maxRPMLow", b.m_maxRPMLow);
}

template <class S, class F> void advKeys(S& s, F& f) {
    auto& a = s.m_adv;
    f("m_adv.m_pwmOffset", a.m_pwmOffset);
    f("m_adv.m_pwm", a.m_pwm);
    f("m_adv.m_injectorWarmingImpulse", a.m_injectorWarmingImpulse);
    f("m_adv.m_warmingTime", a.m_warmingTime);
    f("m_adv.m_warmingUpperTempr", a.m_warmingUpperTempr);
    f("m_adv.m_injectorType", a.m_injectorType);
    f("m_adv.m_minLPGTime", a.m_minLPGTime);
    f("m_adv.m_ignoreLPGTime", a.m_ignoreLPGTime);
    f("m_adv.m_engineSignalBehavior", a.m_engineSignalBehavior);
    f("m_adv.m_flags", a.m_flags);
    f("m_adv.m_cutOffExitDelay", a.m_cutOffExitDelay);
    f("m_adv.m_cutOffExitEmulatorDelay", a.m_cutOffExitEmulatorDelay);
    f("m_adv.m_cutOffPressSwitch", a.m_cutOffPressSwitch);
}

template <class S, class F> void mainCorrKeys(S& s, F& f) {
    for (std::size_t i = 0; i < s.m_mainCorr.m_mainCorr.size(); ++i) {
        f("m_mainCorr.m_mainCorr[" + std::to_string(i) + "]", s.m_mainCorr.m_mainCorr[i]);
    }
}

template <class S, class F> void sensorsKeys(S& s, F& f) {
    auto& n = s.m_sensorsSetup;
    f("m_sensorsSetup.m_lambdaEmulatorOn", n.m_lambdaEmulatorOn);
    f("m_sensorsSetup.m_lambdaEmulatorDelay", n.m_lambdaEmulatorDelay);
    f("m_sensorsSetup.m_lambdaSecond", n.m_lambdaSecond);
    f("m_sensorsSetup.m_lambdaType", n.m_lambdaType);
    for (std::size_t i = 0; i < n.m_lambdaEmulatorTable.size(); ++i) {
        f("m_sensorsSetup.m_lambdaEmulatorTable[" + std::to_string(1000 + 500 * i) + "]",
          n.m_lambdaEmulatorTable[i]);
    }
    f("m_sensorsSetup.m_fuelFull", n.m_fuelFull);
    f("m_sensorsSetup.m_fuelHgw", n.m_fuelHgw);
    f("m_sensorsSetup.m_fuelHalf", n.m_fuelHalf);
    f("m_sensorsSetup.m_fuelQuarter", n.m_fuelQuarter);
    f("m_sensorsSetup.m_fuelRes", n.m_fuelRes);
    f("m_sensorsSetup.m_fuelType", n.m_fuelType);
    f("m_sensorsSetup.m_fuelSensorType", n.m_fuelSensorType);
    f("m_sensorsSetup.m_temprEngineSensor", n.m_temprEngineSensor);
    f("m_sensorsSetup.m_temprLPGSensor", n.m_temprLPGSensor);
}

template <class S, class F> void setupTimesKeys(S& s, F& f) {
    for (std::size_t i = 0; i < s.m_setupTimes1.size(); ++i) {
        f("m_setupTimes1[" + std::to_string(i + 1) + "]", s.m_setupTimes1[i]);
    }
    f("m_tableMask", s.m_tableMask);
    for (std::size_t i = 0; i < s.m_setupTimes2.size(); ++i) {
        f("m_setupTimes2[" + std::to_string(i + 1) + "]", s.m_setupTimes2[i]);
    }
}

template <class S, class F> void mapKeys(S& s, F& f) {
    for (int r = 0; r < Settings::kMapRows; ++r) {
        for (int c = 0; c < Settings::kMapCols; ++c) {
            f("m_injMapTable[" + std::to_string(r + 2) + "][" + std::to_string(1000 + 500 * c) +
                  "]",
              s.m_injMapTable[r][c]);
        }
    }
    f("m_corrMap.m_flags", s.m_corrMap.m_flags);
}

template <class S, class F> void advancedSetupKeys(S& s, F& f) {
    auto& a = s.m_advancedSetup;
    f("m_advancedSetup.m_minimalLPGRPM", a.m_minimalLPGRPM);
    f("m_advancedSetup.m_switchCorr", a.m_switchCorr);
    f("m_advancedSetup.m_switchCorrTime", a.m_switchCorrTime);
    f("m_advancedSetup.m_advancedFlags", a.m_advancedFlags);
}

// Every key in file order.
template <class S, class F> void allKeysInFileOrder(S& s, F& f) {
    timeStampKeys(s, f);
    devInfoKeys(s, f);
    carInfoKeys(s, f);
    baseKeys(s, f);
    advKeys(s, f);
    mainCorrKeys(s, f);
    sensorsKeys(s, f);
    setupTimesKeys(s, f);
    mapKeys(s, f);
    advancedSetupKeys(s, f);
}

} // namespace vexor::settings_keys
