// The rows of the settings schema, in settings-file order.

#include "settings/SchemaTable.h"

#include "panels/PanelPresets.h"
#include "settings/SettingsFileIo.h"

#include <limits>
#include <string>
#include <type_traits>

namespace vexor {

namespace {

using P = SettingPage;
using B = SettingBlock;

// Adds rows; `ref` is a generic lambda giving the member of an image.
class CSchemaBuilder {
public:
    explicit CSchemaBuilder(std::vector<SettingInfo>& rows) : m_rows(rows) {}

    template <class Ref> SettingInfo& add(std::string key, B block, Ref ref) {
        SettingInfo& info = m_rows.emplace_back();
        info.key = std::move(key);
        info.block = block;
        using T = std::decay_t<decltype(ref(std::declval<DeviceSettings&>()))>;
        if constexpr (std::is_same_v<T, std::string>) {
            info.kind = SettingKind::Text;
            info.text = [ref](const DeviceSettings& s) { return ref(s); };
            info.setText = [ref](DeviceSettings& s, const std::string& v) { ref(s) = v; };
        } else {
            info.number = [ref](const DeviceSettings& s) { return static_cast<double>(ref(s)); };
            if constexpr (std::is_floating_point_v<T>) {
                info.setNumber = [ref](DeviceSettings& s, double v) { ref(s) = v; };
            } else {
                info.integral = true;
                info.memberMin = static_cast<double>(std::numeric_limits<T>::min());
                info.memberMax = static_cast<double>(std::numeric_limits<T>::max());
                // As the file reader stores it: the low bits of the integer part.
                info.setNumber = [ref](DeviceSettings& s, double v) {
                    ref(s) = static_cast<T>(settingsIntegerBits(v));
                };
            }
        }
        return info;
    }

private:
    std::vector<SettingInfo>& m_rows;
};

SettingInfo& on(SettingInfo& info, P page, const char* group, const char* label,
                const char* unit = "") {
    info.page = page;
    info.group = group;
    info.label = label;
    info.unit = unit;
    info.windowEdits = true;
    return info;
}

SettingInfo& choice(SettingInfo& info, Choice c) {
    info.choice = c;
    return info;
}

// What a member no window edits can hold.
SettingInfo& holds(SettingInfo& info, double from, double to, double step, int precision,
                   const char* unit = "") {
    info.range = {from, to, step, precision};
    info.unit = unit;
    return info;
}

SettingInfo& flags(SettingInfo& info, std::vector<SettingFlag> bits) {
    info.kind = SettingKind::Flags;
    info.range = {0, 255, 1, 0};
    info.windowEdits = !bits.empty();
    // The row's page is that of its first check box; each bit names its own.
    if (!bits.empty())
        info.page = bits.front().page;
    info.flags = std::move(bits);
    return info;
}

SettingInfo& readOnly(SettingInfo& info) {
    info.readOnly = true;
    info.maxText = kMaxSettingText;
    info.range = {0, 0, 1, 0};
    return info;
}

// Temperatures of the controller's sensor tables, °C.
constexpr double kTemprLow = -50;
constexpr double kTemprHigh = 200;

void identityRows(CSchemaBuilder& b) {
    readOnly(b.add(
        "m_timeStamp", B::None, [](auto& s) -> auto& { return s.m_timeStamp; }));
    readOnly(b.add(
        "m_devInfo.m_version", B::DevInfo, [](auto& s) -> auto& { return s.m_devInfo.m_version; }));
    readOnly(b.add(
        "m_devInfo.m_injCount", B::DevInfo,
        [](auto& s) -> auto& { return s.m_devInfo.m_injCount; }));
    readOnly(b.add(
        "m_devInfo.m_serial", B::DevInfo, [](auto& s) -> auto& { return s.m_devInfo.m_serial; }));
    readOnly(b.add(
        "m_devInfo.m_prodDate", B::DevInfo,
        [](auto& s) -> auto& { return s.m_devInfo.m_prodDate; }));
    readOnly(b.add(
        "m_devInfo.m_flags1", B::DevInfo, [](auto& s) -> auto& { return s.m_devInfo.m_flags1; }));
    readOnly(b.add(
        "m_devInfo.m_flags2", B::DevInfo, [](auto& s) -> auto& { return s.m_devInfo.m_flags2; }));
    readOnly(b.add(
        "m_devInfo.m_deviceID", B::DevInfo,
        [](auto& s) -> auto& { return s.m_devInfo.m_deviceID; }));
    readOnly(b.add(
        "m_devInfo.m_statistic.gas", B::Statistics,
        [](auto& s) -> auto& { return s.m_devInfo.m_statistic.gas; }));
    readOnly(b.add(
        "m_devInfo.m_statistic.lpg", B::Statistics,
        [](auto& s) -> auto& { return s.m_devInfo.m_statistic.lpg; }));
    readOnly(b.add(
        "m_devInfo.m_statistic.modify", B::Statistics,
        [](auto& s) -> auto& { return s.m_devInfo.m_statistic.modify; }));
}

void carInfoRows(CSchemaBuilder& b) {
    auto text = [](SettingInfo& info) { info.maxText = kMaxSettingText; };
    text(b.add(
        "m_carInfo.m_vendor", B::None, [](auto& s) -> auto& { return s.m_carInfo.m_vendor; }));
    text(b.add(
        "m_carInfo.m_model", B::None, [](auto& s) -> auto& { return s.m_carInfo.m_model; }));
    text(b.add(
        "m_carInfo.m_engine", B::None, [](auto& s) -> auto& { return s.m_carInfo.m_engine; }));
    text(b.add(
        "m_carInfo.m_power", B::None, [](auto& s) -> auto& { return s.m_carInfo.m_power; }));
    text(b.add(
        "m_carInfo.m_prodYear", B::None, [](auto& s) -> auto& { return s.m_carInfo.m_prodYear; }));
    text(b.add(
        "m_carInfo.m_injectors", B::None,
        [](auto& s) -> auto& { return s.m_carInfo.m_injectors; }));
    // Recorded by the automatic calibration as a whole number of kPa.
    SettingInfo& press = b.add(
        "m_carInfo.m_reductorPress", B::None,
        [](auto& s) -> auto& { return s.m_carInfo.m_reductorPress; });
    holds(press, 0, 400, 1, 0, "kPa");
    press.page = P::Calibration;
    press.windowEdits = true;
}

void baseRows(CSchemaBuilder& b) {
    const char* toGas = "Na gaz";
    const char* toPetrol = "Na benzynę";
    const char* pressures = "Parametry ciśnień adaptacji";
    choice(on(b.add(
                  "m_base.m_switchRPM", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_switchRPM; }),
              P::Switch, toGas, "Obroty przełączania"),
           Choice::SwitchRpm);
    choice(on(b.add(
                  "m_base.m_switchTempr", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_switchTempr; }),
              P::Switch, toGas, "Temperatura", "C"),
           Choice::SwitchTempr);
    choice(on(b.add(
                  "m_base.m_sparkDivider", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_sparkDivider; }),
              P::Gasoline, "", "Ilość cyl./cewkę"),
           Choice::SparkDivider);
    choice(on(b.add(
                  "m_base.m_switchPressure", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_switchPressure; }),
              P::Gas, pressures, "Ciś. minimalne", "kPa"),
           Choice::SwitchPressure);
    choice(on(b.add(
                  "m_base.m_switchDelay", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_switchDelay; }),
              P::Switch, toGas, "Czas", "s"),
           Choice::SwitchDelay);
    holds(b.add(
              "m_base.m_switchMinGasTime", B::Base,
              [](auto& s) -> auto& { return s.m_base.m_switchMinGasTime; }),
          0, 1638.3, 0.1, 1, "ms");
    flags(b.add(
              "m_base.m_flags", B::Base, [](auto& s) -> auto& { return s.m_base.m_flags; }),
          {{kBaseFlagMinGasTempr, P::Switch, "Minimalna temperatura gazu 3 st. C"},
           {kBaseFlagRpmLimit, P::Switch, "Maks. obroty"},
           {0x40, P::Advanced, "Tryb FAST"}});
    choice(on(b.add(
                  "m_base.m_emulatorDelay", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_emulatorDelay; }),
              P::Switch, toGas, "Przełączanie cylindrów", "s"),
           Choice::EmulatorDelay);
    choice(on(b.add(
                  "m_base.m_pressureGain", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_pressureGain; }),
              P::Advanced, "Poprawki od ciśnienia", "Poprawka"),
           Choice::PressureGain);
    choice(on(b.add(
                  "m_base.m_pressureRef", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_pressureRef; }),
              P::Gas, pressures, "Ciś. robocze", "kPa"),
           Choice::PressureRefGas);
    choice(on(b.add(
                  "m_base.m_pressAverageCount", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_pressAverageCount; }),
              P::Switch, toPetrol, "Czas błędu ciśnienia", "s"),
           Choice::PressAverage);
    holds(b.add(
              "m_base.m_temprRef", B::Base, [](auto& s) -> auto& { return s.m_base.m_temprRef; }),
          kTemprLow, kTemprHigh, 1, 0, "C");
    holds(b.add(
              "m_base.m_temprGain", B::Base, [](auto& s) -> auto& { return s.m_base.m_temprGain; }),
          0, 25.5, 0.1, 1);
    holds(b.add(
              "m_base.m_temprBottom", B::Base,
              [](auto& s) -> auto& { return s.m_base.m_temprBottom; }),
          kTemprLow, kTemprHigh, 1, 0, "C");
    holds(
        b.add(
            "m_base.m_temprUpper", B::Base, [](auto& s) -> auto& { return s.m_base.m_temprUpper; }),
        kTemprLow, kTemprHigh, 1, 0, "C");
    holds(b.add(
              "m_base.m_minVCC", B::Base, [](auto& s) -> auto& { return s.m_base.m_minVCC; }),
          0, 30, 0.1, 1, "V");
    holds(b.add(
              "m_base.m_maxTemprInside", B::Base,
              [](auto& s) -> auto& { return s.m_base.m_maxTemprInside; }),
          kTemprLow, kTemprHigh, 1, 0, "C");
    choice(on(b.add(
                  "m_base.m_maxRPMHigh", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_maxRPMHigh; }),
              P::Switch, toPetrol, "Maks. obroty"),
           Choice::MaxRpm);
    choice(on(b.add(
                  "m_base.m_maxRPMLow", B::Base,
                  [](auto& s) -> auto& { return s.m_base.m_maxRPMLow; }),
              P::Switch, toPetrol, "Maks. obroty"),
           Choice::MaxRpmLow);
}

void advRows(CSchemaBuilder& b) {
    const char* injector = "Wtryskiwacz gazowy";
    const char* warming = "Rozgrzewanie wtryskiwaczy";
    choice(
        on(b.add(
               "m_adv.m_pwmOffset", B::Adv, [](auto& s) -> auto& { return s.m_adv.m_pwmOffset; }),
           P::Gas, injector, injector, "ms"),
        Choice::PwmOffset);
    choice(on(b.add(
                  "m_adv.m_pwm", B::Adv, [](auto& s) -> auto& { return s.m_adv.m_pwm; }),
              P::Gas, injector, injector),
           Choice::Pwm);
    choice(on(b.add(
                  "m_adv.m_injectorWarmingImpulse", B::Adv,
                  [](auto& s) -> auto& { return s.m_adv.m_injectorWarmingImpulse; }),
              P::Gas, injector, injector, "ms"),
           Choice::WarmingImpulse);
    choice(on(b.add(
                  "m_adv.m_warmingTime", B::Adv,
                  [](auto& s) -> auto& { return s.m_adv.m_warmingTime; }),
              P::Advanced, warming, "Czas rozgrzewania wtryskiwaczy", "s"),
           Choice::WarmingTime);
    holds(b.add(
              "m_adv.m_warmingUpperTempr", B::Adv,
              [](auto& s) -> auto& { return s.m_adv.m_warmingUpperTempr; }),
          kTemprLow, kTemprHigh, 1, 0, "C");
    choice(on(b.add(
                  "m_adv.m_injectorType", B::Adv,
                  [](auto& s) -> auto& { return s.m_adv.m_injectorType; }),
              P::Gas, injector, injector),
           Choice::InjectorType);
    choice(
        on(b.add(
               "m_adv.m_minLPGTime", B::Adv, [](auto& s) -> auto& { return s.m_adv.m_minLPGTime; }),
           P::Advanced, "", "Minimalny czas wtrysku gazowy", "ms"),
        Choice::MinLpgTime);
    choice(on(b.add(
                  "m_adv.m_ignoreLPGTime", B::Adv,
                  [](auto& s) -> auto& { return s.m_adv.m_ignoreLPGTime; }),
              P::Advanced, "", "Ignorowanie impulsów benzyny poniżej", "ms"),
           Choice::IgnoreTime);
    flags(b.add(
              "m_adv.m_engineSignalBehavior", B::Adv,
              [](auto& s) -> auto& { return s.m_adv.m_engineSignalBehavior; }),
          {{kEngineSignalPlus, P::Gasoline, "Wtrysk benzyny sterowany +"}});
    flags(b.add(
              "m_adv.m_flags", B::Adv, [](auto& s) -> auto& { return s.m_adv.m_flags; }),
          {{0x03, P::Advanced, "Włączone"},
           {0x04, P::Advanced, "Obsługa cut-off na benzynie"},
           {0x08, P::Advanced, "Obsługa wtrysku ciągłego benzyny"}});
    choice(on(b.add(
                  "m_adv.m_cutOffExitDelay", B::Adv,
                  [](auto& s) -> auto& { return s.m_adv.m_cutOffExitDelay; }),
              P::Advanced, "", "Powrót na gaz", "s"),
           Choice::CutOffExitDelay);
    holds(b.add(
              "m_adv.m_cutOffExitEmulatorDelay", B::Adv,
              [](auto& s) -> auto& { return s.m_adv.m_cutOffExitEmulatorDelay; }),
          0, 6.38, 0.01, 2, "s");
    choice(on(b.add(
                  "m_adv.m_cutOffPressSwitch", B::Adv,
                  [](auto& s) -> auto& { return s.m_adv.m_cutOffPressSwitch; }),
              P::Advanced, "", "Ciśnienie przy cut-off", "kPa"),
           Choice::CutOffPressure);
}

void mainCorrRows(CSchemaBuilder& b) {
    for (std::size_t i = 0; i < DeviceSettings::MainCorr{}.m_mainCorr.size(); ++i) {
        choice(on(b.add(
                      "m_mainCorr.m_mainCorr[" + std::to_string(i) + "]",
                      B::MainCorr, [i](auto& s) -> auto& { return s.m_mainCorr.m_mainCorr[i]; }),
                  P::Corrections, "", "", "ms"),
               Choice::MainCorr);
    }
}

void sensorsRows(CSchemaBuilder& b) {
    holds(b.add(
              "m_sensorsSetup.m_lambdaEmulatorOn", B::Sensors,
              [](auto& s) -> auto& { return s.m_sensorsSetup.m_lambdaEmulatorOn; }),
          0, 255, 1, 0);
    holds(b.add(
              "m_sensorsSetup.m_lambdaEmulatorDelay", B::Sensors,
              [](auto& s) -> auto& { return s.m_sensorsSetup.m_lambdaEmulatorDelay; }),
          0, 127.5, 0.5, 1, "s");
    holds(b.add(
              "m_sensorsSetup.m_lambdaSecond", B::Sensors,
              [](auto& s) -> auto& { return s.m_sensorsSetup.m_lambdaSecond; }),
          0, 255, 1, 0);
    choice(on(b.add(
                  "m_sensorsSetup.m_lambdaType", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_lambdaType; }),
              P::Gasoline, "", "Typ sondy Lambda"),
           Choice::LambdaType);
    for (std::size_t i = 0; i < DeviceSettings::SensorsSetup{}.m_lambdaEmulatorTable.size(); ++i) {
        holds(b.add(
                  "m_sensorsSetup.m_lambdaEmulatorTable[" + std::to_string(1000 + 500 * i) + "]",
                  B::Sensors,
                  [i](auto& s) -> auto& { return s.m_sensorsSetup.m_lambdaEmulatorTable[i]; }),
              0, 5, 0.01, 2, "V");
    }
    const char* sensor = "Typ czujnika";
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelFull", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelFull; }),
              P::Switch, sensor, ""),
           Choice::FuelLevel);
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelHgw", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelHgw; }),
              P::Switch, sensor, ""),
           Choice::FuelLevel);
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelHalf", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelHalf; }),
              P::Switch, sensor, ""),
           Choice::FuelLevel);
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelQuarter", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelQuarter; }),
              P::Switch, sensor, "Rezerwa"),
           Choice::FuelLevel);
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelRes", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelRes; }),
              P::Switch, sensor, sensor),
           Choice::FuelRes);
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelType", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelType; }),
              P::Switch, sensor, sensor),
           Choice::FuelType);
    choice(on(b.add(
                  "m_sensorsSetup.m_fuelSensorType", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_fuelSensorType; }),
              P::Switch, sensor, sensor),
           Choice::FuelSensor);
    choice(on(b.add(
                  "m_sensorsSetup.m_temprEngineSensor", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_temprEngineSensor; }),
              P::Gas, "Czujniki", "Cz. temp. reduktora"),
           Choice::TemprSensor);
    choice(on(b.add(
                  "m_sensorsSetup.m_temprLPGSensor", B::Sensors,
                  [](auto& s) -> auto& { return s.m_sensorsSetup.m_temprLPGSensor; }),
              P::Gas, "Czujniki", "Cz. temp. gazu"),
           Choice::TemprSensor);
}

void setupTimesRows(CSchemaBuilder& b) {
    for (std::size_t i = 0; i < DeviceSettings{}.m_setupTimes1.size(); ++i) {
        choice(on(b.add(
                      "m_setupTimes1[" + std::to_string(i + 1) + "]",
                      B::SetupTimes, [i](auto& s) -> auto& { return s.m_setupTimes1[i]; }),
                  P::Calibration, "", "Mnożnik", "%"),
               Choice::LinePoint);
    }
    // The calibration page clears the mask and the second line; other values
    // come only from the controller.
    holds(b.add(
              "m_tableMask", B::SetupTimes, [](auto& s) -> auto& { return s.m_tableMask; }),
          0, 255, 1, 0);
    for (std::size_t i = 0; i < DeviceSettings{}.m_setupTimes2.size(); ++i) {
        holds(b.add(
                  "m_setupTimes2[" + std::to_string(i + 1) + "]",
                  B::SetupTimes, [i](auto& s) -> auto& { return s.m_setupTimes2[i]; }),
              -100, 155, 1, 0);
    }
}

void mapRows(CSchemaBuilder& b) {
    for (int r = 0; r < DeviceSettings::kMapRows; ++r) {
        for (int c = 0; c < DeviceSettings::kMapCols; ++c) {
            choice(on(b.add(
                          "m_injMapTable[" + std::to_string(r + 2) + "][" +
                              std::to_string(1000 + 500 * c) + "]",
                          B::Map, [ r, c ](auto& s) -> auto& { return s.m_injMapTable[r][c]; }),
                      P::Map, "", "", "%"),
                   Choice::MapCell);
        }
    }
    flags(b.add(
              "m_corrMap.m_flags", B::Map, [](auto& s) -> auto& { return s.m_corrMap.m_flags; }),
          {});
}

void advancedSetupRows(CSchemaBuilder& b) {
    choice(on(b.add(
                  "m_advancedSetup.m_minimalLPGRPM", B::AdvancedSetup,
                  [](auto& s) -> auto& { return s.m_advancedSetup.m_minimalLPGRPM; }),
              P::Switch, "Na benzynę", "Min. obroty gazu"),
           Choice::MinRpm);
    choice(on(b.add(
                  "m_advancedSetup.m_switchCorr", B::AdvancedSetup,
                  [](auto& s) -> auto& { return s.m_advancedSetup.m_switchCorr; }),
              P::Advanced, "", "Jednorazowe wzbogacenie", "%"),
           Choice::SwitchCorr);
    choice(on(b.add(
                  "m_advancedSetup.m_switchCorrTime", B::AdvancedSetup,
                  [](auto& s) -> auto& { return s.m_advancedSetup.m_switchCorrTime; }),
              P::Advanced, "", "przez", "s"),
           Choice::SwitchCorrTime);
    flags(b.add(
              "m_advancedSetup.m_advancedFlags", B::AdvancedSetup,
              [](auto& s) -> auto& { return s.m_advancedSetup.m_advancedFlags; }),
          {{kAdvFlagInspection, P::Service, "Przegląd za:"},
           {kAdvFlagMinRpm, P::Switch, "Min. obroty gazu"},
           {kAdvFlagSwitchCorr, P::Advanced, "Jednorazowe wzbogacenie"},
           {kAdvFlagCng, P::None, ""},
           {kAdvFlagSensor400, P::Gas, "Cz. ciśnienia"},
           {kAdvFlagRpm5V, P::Gasoline, "Poziom sygnału obrotów"},
           {kAdvFlagTurbo, P::Gasoline, "Typ silnika"},
           {kAdvFlagAutoCalibration, P::Switch, "Uwzględnij przy autokalibracji"}});
}

} // namespace

std::vector<SettingInfo> buildSettingsSchema() {
    std::vector<SettingInfo> rows;
    rows.reserve(420);
    CSchemaBuilder b(rows);
    identityRows(b);
    carInfoRows(b);
    baseRows(b);
    advRows(b);
    mainCorrRows(b);
    sensorsRows(b);
    setupTimesRows(b);
    mapRows(b);
    advancedSetupRows(b);
    return rows;
}

} // namespace vexor
