#pragma once

// Control ids of the gasoline, gas and switch panels. Each page is a text
// scope of its own, so the ids may repeat those of other windows.
namespace vexor::panel_ids {

// Gasoline panel.
inline constexpr int kCmbRpmDiv = 1037;
inline constexpr int kCmbRpmLevel = 1039;
inline constexpr int kCmbEngineType = 1041;
inline constexpr int kChkInjSignal = 1042;
inline constexpr int kCmbLambdaType = 1062;
inline constexpr int kCmbGasInjType = 1064;
inline constexpr int kLblRpmDiv = 1301;
inline constexpr int kLblRpmLevel = 1302;
inline constexpr int kLblEngineType = 1303;
inline constexpr int kLblLambdaType = 1304;
inline constexpr int kLblGasInjType = 1305;

// Gas panel.
inline constexpr int kCmbLpgInj = 1065;
inline constexpr int kCmbPressSwitch = 1014;
inline constexpr int kCmbPressRef = 1015;
inline constexpr int kCmbPressSensorType = 1016;
inline constexpr int kCmbTemprRedSensor = 1017;
inline constexpr int kCmbTemprLpgSensor = 1018;
inline constexpr int kGrpLpgInj = 1311;
inline constexpr int kGrpPressures = 1312;
inline constexpr int kGrpSensors = 1313;
inline constexpr int kLblPressSwitch = 1314;
inline constexpr int kLblPressRef = 1315;
inline constexpr int kLblPressSensorType = 1316;
inline constexpr int kLblTemprRedSensor = 1317;
inline constexpr int kLblTemprLpgSensor = 1318;

// Switch panel.
inline constexpr int kCmbRpmSwitch = 1012;
inline constexpr int kCmbTemprSwitch = 1013;
inline constexpr int kCmbSwitchDelay = 1014;
inline constexpr int kCmbFuelSensor = 1015;
inline constexpr int kCmbEmulatorDelay = 1020;
inline constexpr int kCmbMaxRpm = 1063;
inline constexpr int kCmbMinRpm = 1065;
inline constexpr int kCmbPressAverage = 1067;
inline constexpr int kCmbMaxLoad = 1069;
inline constexpr int kLblMaxLoad = 1070;
inline constexpr int kLblFuelLevel = 1075;
inline constexpr int kUnitMaxLoad = 1081;
inline constexpr int kChkMinLpgTempr = 1110;
inline constexpr int kChkAutoCalibration = 1133;
inline constexpr int kSldFuelFull = 1045; // sliders 1045..1048, full mark first
inline constexpr int kNumFuelFull = 1049; // number fields 1049..1052
inline constexpr int kLampFull = 1162;    // level lamps 1162..1164
inline constexpr int kLampReserve = 1165;
inline constexpr int kGrpToGas = 1321;
inline constexpr int kGrpToPetrol = 1322;
inline constexpr int kLblTemprSwitch = 1324;
inline constexpr int kLblRpmSwitch = 1325;
inline constexpr int kLblSwitchDelay = 1326;
inline constexpr int kLblEmulatorDelay = 1327;
inline constexpr int kLblMaxRpm = 1328;
inline constexpr int kLblPressAverage = 1329;
inline constexpr int kLblMinRpm = 1330;
inline constexpr int kLblFuelSensor = 1331;
inline constexpr int kGrpFuelGauge = 1332;
inline constexpr int kLblMarkFull = 1333; // slider labels 1333..1336, full mark first

} // namespace vexor::panel_ids
