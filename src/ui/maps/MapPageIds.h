#pragma once

#include <array>

// Control ids of the calibration page, its larger twin in the charts window
// and the charts window. Text objects and tests find the controls by them.
namespace vexor::mapids {

inline constexpr int kChart = 1061;
inline constexpr int kBtnAutoCal = 1140;
inline constexpr int kBtnCompute = 1137;
inline constexpr int kBtnClearPetrol = 1138;
inline constexpr int kBtnClearGas = 1139;
inline constexpr int kBtnClearLine = 1141;
inline constexpr int kChkLock = 1084;
inline constexpr int kProgress = 1103;
inline constexpr int kPetrolTime = 1119;
inline constexpr int kGasTime = 1077;
inline constexpr int kPetrolFill = 1108;
inline constexpr int kGasFill = 1110;
inline constexpr int kMainCorr = 1045;
inline constexpr int kLblPoints = 1112;

// The live sensor fields of the charts window's page.
inline constexpr int kLambda1 = 1068;
inline constexpr int kLambda2 = 1075;
inline constexpr int kLambdaBar1 = 1144;
inline constexpr int kLambdaBar2 = 1145;
inline constexpr int kGasPressure = 1069;
inline constexpr int kManifold = 1070;
inline constexpr int kGasTempr = 1071;
inline constexpr int kReducerTempr = 1072;
// The OBD values, in the order of the diagnostic's slots 1..8: short and
// long trim of bank 1, short and long trim of bank 2, then the oxygen sensors
// bank 1 before and after the catalyst and bank 2 before and after.
inline constexpr std::array<int, 8> kObdSlots = {1309, 1310, 1316, 1315, 1326, 1325, 1322, 1320};

// Labels and frames.
inline constexpr int kLblPetrol = 1400;
inline constexpr int kLblGas = 1401;
inline constexpr int kLblCorr = 1402;
inline constexpr int kLblCorrUnit = 1403;
inline constexpr int kLblPressure = 1404;
inline constexpr int kLblManifold = 1405;
inline constexpr int kLblGasTempr = 1406;
inline constexpr int kLblReducerTempr = 1407;
inline constexpr int kGrpObd = 1408;
inline constexpr int kLblBank1 = 1409;
inline constexpr int kLblBank2 = 1410;
inline constexpr int kLblShortTrim = 1411;
inline constexpr int kLblLongTrim = 1412;
inline constexpr int kLblLambdaBefore = 1413;
inline constexpr int kLblLambdaAfter = 1414;
inline constexpr std::array<int, 4> kLblVolts = {1415, 1416, 1417, 1418};
inline constexpr int kLblLambda1 = 1419;
inline constexpr int kLblLambda2 = 1420;
inline constexpr int kLblPetrolFill = 1421;
inline constexpr int kLblGasFill = 1422;
// Axis titles of the chart.
inline constexpr int kAxisTime = 1430;
inline constexpr int kAxisFactor = 1431;
inline constexpr int kAxisPressure = 1432;

// The charts window: the placeholder the page set takes the place of.
inline constexpr int kChartsSheet = 1116;
inline constexpr int kChartsTimer = 5001;

} // namespace vexor::mapids
