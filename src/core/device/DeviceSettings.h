#pragma once

#include <array>
#include <cstdint>
#include <string>

// The controller's whole configuration in engineering units (rpm, degrees
// Celsius, seconds, milliseconds, volts, kPa). The block codecs in
// device/codecs/ are the only place that turns these values into controller
// bytes and back. A default-constructed image holds the factory defaults.
//
// Plain copies (of the image or of one sub-record) copy every member. The
// defaults and file-load actions replace sub-records with the helpers at the
// end of this header, which keep what those actions must not overwrite.
struct DeviceSettings {
    // Controller identity and counters: read from the controller, never written.
    struct Statistic {
        std::uint32_t gas = 0;    // petrol work time, 0.5 s units
        std::uint32_t lpg = 0;    // gas work time, 0.5 s units
        std::uint16_t modify = 0; // kept by the controller, stored only

        bool operator==(const Statistic&) const = default;
    };

    struct DevInfo {
        std::string m_producer = "KORVANTIS"; // must match a firmware image's maker
        std::int32_t m_version = 0;           // major in bits 8..15, minor in 0..7
        std::int32_t m_injCount = 0;          // number of gas injectors
        std::string m_serial;
        std::string m_prodDate; // "%d/%m/%Y"
        std::uint8_t m_deviceID = 0;
        std::uint32_t m_flags1 = 0; // bit 0: OBD interface present
        std::uint32_t m_flags2 = 0;
        Statistic m_statistic;

        bool operator==(const DevInfo&) const = default;
    };

    // Vehicle description; never exchanged with the controller.
    struct CarInfo {
        std::string m_vendor;
        std::string m_model;
        std::string m_engine;
        std::string m_power;
        std::string m_prodYear;
        std::string m_injectors;
        double m_reductorPress = 0; // recorded by the auto-calibration

        bool operator==(const CarInfo&) const = default;
    };

    struct Base {
        double m_switchRPM = 1200;
        double m_switchTempr = 35; // reducer temperature needed to switch, °C
        std::uint8_t m_sparkDivider = 1;
        double m_switchDelay = 30;     // s
        double m_switchMinGasTime = 0; // ms
        double m_switchPressure = 60;  // minimum gas pressure, kPa
        double m_emulatorDelay = 0.5;  // cylinder switching time, s
        double m_pressureGain = 1.0;
        double m_pressureRef = 100;       // working gas pressure, kPa
        double m_pressAverageCount = 0.8; // pressure-error time, s
        double m_temprRef = 0;
        double m_temprGain = 0.3;
        double m_temprBottom = 0;
        double m_temprUpper = 60;
        double m_maxRPMHigh = 8000;
        double m_maxRPMLow = 7000;
        double m_minVCC = 10;          // V
        double m_maxTemprInside = 100; // controller-internal, °C
        // bit 0 min. gas temperature 3 °C, bit 1 RPM limit, bit 2 continuous
        // error signal, bit 4 always set on the wire, bit 6 FAST mode.
        std::uint8_t m_flags = 0x90;
        // Code of the computer that last wrote the block.
        std::array<std::uint8_t, 4> m_stationCode{};

        bool operator==(const Base&) const = default;
    };

    struct Adv {
        double m_pwmOffset = 4.0; // ms
        double m_pwm = 50;
        double m_injectorWarmingImpulse = 2.0; // ms
        double m_warmingTime = 30;             // s
        double m_warmingUpperTempr = 50;       // °C
        std::uint8_t m_injectorType = 1;
        double m_minLPGTime = 0;                 // ms
        double m_ignoreLPGTime = 0;              // ms
        std::uint8_t m_engineSignalBehavior = 0; // bit 0: injectors switched on the plus side
        // bits 0+1 injector warming, bit 2 cut-off on petrol, bit 3 continuous
        // petrol injection handling
        std::uint8_t m_flags = 3;
        double m_cutOffPressSwitch = 150;     // kPa
        double m_cutOffExitEmulatorDelay = 0; // s
        double m_cutOffExitDelay = 0;         // s, steps of 0.5
        // Byte i: mask of the petrol-injector inputs driving gas injector i.
        std::array<std::uint8_t, 8> m_injSequence{0x01, 0x02, 0x04, 0x08, 0x10, 0x20, 0x40, 0x80};

        bool operator==(const Adv&) const = default;
    };

    // Constant time per cylinder added to the gas injection time, ms.
    struct MainCorr {
        std::array<double, 8> m_mainCorr{1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0, 1.0};

        bool operator==(const MainCorr&) const = default;
    };

    struct SensorsSetup {
        std::uint8_t m_lambdaType = 1;
        std::uint8_t m_lambdaEmulatorOn = 0;
        double m_lambdaEmulatorDelay = 0; // s, steps of 0.5
        // Emulator output voltage at 1000, 1500 ... 8000 rpm.
        std::array<double, 15> m_lambdaEmulatorTable{0.51, 0.51, 0.51, 0.51, 0.51, 0.51, 0.51, 0.51,
                                                     0.51, 0.51, 0.51, 0.51, 0.51, 0.51, 0.51};
        std::uint8_t m_lambdaSecond = 0;
        // Fuel-level thresholds in raw sensor units, full mark down to quarter.
        std::uint8_t m_fuelFull = 130;
        std::uint8_t m_fuelHgw = 126;
        std::uint8_t m_fuelHalf = 117;
        std::uint8_t m_fuelQuarter = 114;
        std::uint8_t m_fuelRes = 0;  // 0: 0-90 Ohm, 1: 50 kOhm, 2: CNG Hall sensor
        std::uint8_t m_fuelType = 0; // 1: falling characteristic
        std::uint8_t m_fuelSensorType = 1;
        std::uint8_t m_temprEngineSensor = 1; // reducer sensor: temperature-table column
        std::uint8_t m_temprLPGSensor = 1;    // gas sensor: temperature-table column

        bool operator==(const SensorsSetup&) const = default;
    };

    struct CorrMap {
        std::uint8_t m_flags = 0; // bit 0: the petrol-time axis counts half-milliseconds

        bool operator==(const CorrMap&) const = default;
    };

    struct AdvancedSetup {
        std::uint32_t m_serviceLimit = 0; // gas work time (0.5 s units) of the next inspection
        double m_minimalLPGRPM = 500;
        std::uint8_t m_switchCorr = 0;       // %, one-time enrichment after switch-over
        double m_switchCorrTime = 20;        // s
        std::uint8_t m_advancedFlags = 0x10; // see the kAdvFlag* masks
        std::uint8_t m_advancedFlags2 = 0;   // bit 0: 250 kPa pressure sensor
        double m_maxLoad = 0;                // ms

        bool operator==(const AdvancedSetup&) const = default;
    };

    static constexpr int kMapRows = 19; // 1 ms bands of petrol injection time
    static constexpr int kMapCols = 15; // 500 rpm bands
    using InjMapTable = std::array<std::array<double, kMapCols>, kMapRows>;

    std::string m_timeStamp; // last save to a settings file, "%d-%m-%Y-%H:%M:%S"
    DevInfo m_devInfo;
    CarInfo m_carInfo;
    Base m_base;
    Adv m_adv;
    MainCorr m_mainCorr;
    std::array<double, 20> m_setupTimes1{};
    std::array<double, 20> m_setupTimes2{};
    std::uint8_t m_tableMask = 0;
    SensorsSetup m_sensorsSetup;
    InjMapTable m_injMapTable{}; // percent corrections, [row][column]
    CorrMap m_corrMap;
    AdvancedSetup m_advancedSetup;

    bool operator==(const DeviceSettings&) const = default;
};

namespace vexor {

// m_advancedSetup.m_advancedFlags bits.
inline constexpr std::uint8_t kAdvFlagInspection = 0x01;
inline constexpr std::uint8_t kAdvFlagMinRpm = 0x02;
inline constexpr std::uint8_t kAdvFlagSwitchCorr = 0x04;
inline constexpr std::uint8_t kAdvFlagCng = 0x08;
inline constexpr std::uint8_t kAdvFlagSensor400 = 0x10;
inline constexpr std::uint8_t kAdvFlagRpm5V = 0x20;
inline constexpr std::uint8_t kAdvFlagTurbo = 0x40;
inline constexpr std::uint8_t kAdvFlagAutoCalibration = 0x80;

// Base flags bit that the controller expects set in every base block written.
inline constexpr std::uint8_t kBaseFlagAlwaysOn = 0x10;

// Copies the base block but keeps the station code of `to`: the code names
// the computer that last wrote this controller, which neither a default image
// nor a settings file knows.
void copyBaseKeepingStation(DeviceSettings::Base& to, const DeviceSettings::Base& from);

// The setup times travel as one block with the table mask; copy them together.
void copySetupTimes(DeviceSettings& to, const DeviceSettings& from);

// The injection map and its flags byte share one memory area; copy them together.
void copyInjMap(DeviceSettings& to, const DeviceSettings& from);

} // namespace vexor
