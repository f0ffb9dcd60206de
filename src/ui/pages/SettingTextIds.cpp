#include "pages/SettingTextIds.h"

#include "device/DeviceSettings.h"
#include "pages/AdvancedPageIds.h"
#include "pages/PanelIds.h"
#include "panels/PanelPresets.h"

#include <cstdint>
#include <string_view>

namespace vexor {

namespace {

// A row (mask 0) or one bit of a flags row, and its text on its page.
struct SRowText {
    std::string_view key;
    std::uint8_t mask;
    int textId;
};

using namespace panel_ids;
using namespace ids;

constexpr SRowText kRowTexts[] = {
    // Petrol panel.
    {"m_base.m_sparkDivider", 0, kLblRpmDiv},
    {"m_sensorsSetup.m_lambdaType", 0, kLblLambdaType},
    {"m_adv.m_engineSignalBehavior", kEngineSignalPlus, kChkInjSignal},
    {"m_advancedSetup.m_advancedFlags", kAdvFlagRpm5V, kLblRpmLevel},
    {"m_advancedSetup.m_advancedFlags", kAdvFlagTurbo, kLblEngineType},
    // Gas panel: the injector's drive values are named by the injector's group.
    {"m_base.m_switchPressure", 0, kLblPressSwitch},
    {"m_base.m_pressureRef", 0, kLblPressRef},
    {"m_adv.m_pwmOffset", 0, kGrpLpgInj},
    {"m_adv.m_pwm", 0, kGrpLpgInj},
    {"m_adv.m_injectorWarmingImpulse", 0, kGrpLpgInj},
    {"m_adv.m_injectorType", 0, kGrpLpgInj},
    {"m_sensorsSetup.m_temprEngineSensor", 0, kLblTemprRedSensor},
    {"m_sensorsSetup.m_temprLPGSensor", 0, kLblTemprLpgSensor},
    {"m_advancedSetup.m_advancedFlags", kAdvFlagSensor400, kLblPressSensorType},
    // Switch panel: the fuel gauge's marks are named by the sensor, the
    // reserve mark by its lamp.
    {"m_base.m_switchRPM", 0, kLblRpmSwitch},
    {"m_base.m_switchTempr", 0, kLblTemprSwitch},
    {"m_base.m_switchDelay", 0, kLblSwitchDelay},
    {"m_base.m_flags", kBaseFlagMinGasTempr, kChkMinLpgTempr},
    {"m_base.m_flags", kBaseFlagRpmLimit, kLblMaxRpm},
    {"m_base.m_emulatorDelay", 0, kLblEmulatorDelay},
    {"m_base.m_pressAverageCount", 0, kLblPressAverage},
    {"m_base.m_maxRPMHigh", 0, kLblMaxRpm},
    {"m_base.m_maxRPMLow", 0, kLblMaxRpm},
    {"m_sensorsSetup.m_fuelFull", 0, kLblFuelSensor},
    {"m_sensorsSetup.m_fuelHgw", 0, kLblFuelSensor},
    {"m_sensorsSetup.m_fuelHalf", 0, kLblFuelSensor},
    {"m_sensorsSetup.m_fuelQuarter", 0, kLampReserve},
    {"m_sensorsSetup.m_fuelRes", 0, kLblFuelSensor},
    {"m_sensorsSetup.m_fuelType", 0, kLblFuelSensor},
    {"m_sensorsSetup.m_fuelSensorType", 0, kLblFuelSensor},
    {"m_advancedSetup.m_minimalLPGRPM", 0, kLblMinRpm},
    {"m_advancedSetup.m_advancedFlags", kAdvFlagMinRpm, kLblMinRpm},
    {"m_advancedSetup.m_advancedFlags", kAdvFlagAutoCalibration, kChkAutoCalibration},
    // Advanced page.
    {"m_base.m_pressureGain", 0, kAdvLblPressureGain},
    {"m_base.m_flags", 0x40, kAdvChkFast},
    {"m_adv.m_warmingTime", 0, kAdvLblWarmingTime},
    {"m_adv.m_minLPGTime", 0, kAdvLblMinLpgTime},
    {"m_adv.m_ignoreLPGTime", 0, kAdvLblIgnoreTime},
    {"m_adv.m_flags", 0x03, kAdvChkWarming},
    {"m_adv.m_flags", 0x04, kAdvChkCutOff},
    {"m_adv.m_flags", 0x08, kAdvChkContinuous},
    {"m_adv.m_cutOffExitDelay", 0, kAdvLblCutOffExitDelay},
    {"m_adv.m_cutOffPressSwitch", 0, kAdvLblCutOffPressure},
    {"m_advancedSetup.m_switchCorr", 0, kAdvChkSwitchCorr},
    {"m_advancedSetup.m_switchCorrTime", 0, kAdvLblSwitchCorrTime},
    {"m_advancedSetup.m_advancedFlags", kAdvFlagSwitchCorr, kAdvChkSwitchCorr},
    // The service reminder dialog.
    {"m_advancedSetup.m_advancedFlags", kAdvFlagInspection, kSetSrvLblDistance},
};

int find(std::string_view key, std::uint8_t mask) {
    for (const SRowText& row : kRowTexts) {
        if (row.key == key && row.mask == mask)
            return row.textId;
    }
    return -1;
}

} // namespace

int settingTextId(const SettingInfo& info) {
    return find(info.key, 0);
}

int settingFlagTextId(const SettingInfo& info, const SettingFlag& flag) {
    return flag.mask == 0 ? -1 : find(info.key, flag.mask);
}

} // namespace vexor
