#include "settings/SettingsFileIo.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// The keys every installation writes and expects, spelt out independently of
// the writer: a misspelt or reordered key still round-trips inside this
// program but breaks files exchanged with other installations.
std::vector<std::string> sharedKeys() {
    std::vector<std::string> keys = {"m_timeStamp"};
    auto group = [&](const std::string& prefix, std::initializer_list<const char*> names) {
        for (const char* name : names)
            keys.push_back(prefix + name);
    };
    group("m_devInfo.",
          {"m_version", "m_injCount", "m_serial", "m_prodDate", "m_flags1", "m_flags2",
           "m_deviceID", "m_statistic.gas", "m_statistic.lpg", "m_statistic.modify"});
    group("m_carInfo.", {"m_vendor", "m_model", "m_engine", "m_power", "m_prodYear", "m_injectors",
                         "m_reductorPress"});
    group("m_base.",
          {"m_switchRPM", "m_switchTempr", "m_sparkDivider", "m_switchPressure", "m_switchDelay",
           "m_switchMinGasTime", "m_flags", "m_emulatorDelay", "m_pressureGain", "m_pressureRef",
           "m_pressAverageCount", "m_temprRef", "m_temprGain", "m_temprBottom", "m_temprUpper",
           "m_minVCC", "m_maxTemprInside", "m_maxRPMHigh", "m_maxRPMLow"});
    group("m_adv.", {"m_pwmOffset", "m_pwm", "m_injectorWarmingImpulse", "m_warmingTime",
                     "m_warmingUpperTempr", "m_injectorType", "m_minLPGTime", "m_ignoreLPGTime",
                     "m_engineSignalBehavior", "m_flags", "m_cutOffExitDelay",
                     "m_cutOffExitEmulatorDelay", "m_cutOffPressSwitch"});
    for (int i = 0; i < 8; ++i)
        keys.push_back("m_mainCorr.m_mainCorr[" + std::to_string(i) + "]");
    group("m_sensorsSetup.",
          {"m_lambdaEmulatorOn", "m_lambdaEmulatorDelay", "m_lambdaSecond", "m_lambdaType"});
    for (int rpm = 1000; rpm <= 8000; rpm += 500)
        keys.push_back("m_sensorsSetup.m_lambdaEmulatorTable[" + std::to_string(rpm) + "]");
    group("m_sensorsSetup.",
          {"m_fuelFull", "m_fuelHgw", "m_fuelHalf", "m_fuelQuarter", "m_fuelRes", "m_fuelType",
           "m_fuelSensorType", "m_temprEngineSensor", "m_temprLPGSensor"});
    for (int i = 1; i <= 20; ++i)
        keys.push_back("m_setupTimes1[" + std::to_string(i) + "]");
    keys.push_back("m_tableMask");
    for (int i = 1; i <= 20; ++i)
        keys.push_back("m_setupTimes2[" + std::to_string(i) + "]");
    for (int row = 2; row <= 20; ++row) {
        for (int rpm = 1000; rpm <= 8000; rpm += 500)
            keys.push_back("m_injMapTable[" + std::to_string(row) + "][" + std::to_string(rpm) +
                           "]");
    }
    keys.push_back("m_corrMap.m_flags");
    group("m_advancedSetup.",
          {"m_minimalLPGRPM", "m_switchCorr", "m_switchCorrTime", "m_advancedFlags"});
    return keys;
}

} // namespace

TEST(SettingsFileKeys, WrittenKeysAreTheSharedKeysInTheirOrder) {
    std::istringstream text(vexor::formatSettingsFile(DeviceSettings{}));
    std::vector<std::string> written;
    std::string line;
    while (std::getline(text, line))
        written.push_back(line.substr(0, line.find('\t')));

    const std::vector<std::string> expected = sharedKeys();
    ASSERT_EQ(expected.size(), 417u);
    ASSERT_EQ(written.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(written[i], expected[i]) << "line " << i + 1;
}
