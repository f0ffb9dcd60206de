#pragma once

#include <array>

// Control ids of the OBD page, the oscilloscope page and the controller's
// fault dialog. Text objects and tests find the controls by these ids.
namespace vexor::ids::diag {

// ---- OBD page ----
inline constexpr int kBtnReadCodes = 1049;
inline constexpr int kBtnClearCodes = 1053;
inline constexpr int kCodeList = 1313;
inline constexpr int kGrpCodes = 1314;
inline constexpr int kCmbLink = 1317;
inline constexpr int kLblLink = 1318;
inline constexpr int kStandard = 1306;
inline constexpr int kLblStandard = 1305;
inline constexpr int kProtocol = 1464;
inline constexpr int kLblProtocol = 1463;
// The nine values in slot order: manifold pressure (or air flow), short and
// long fuel trim of bank 1, short and long fuel trim of bank 2, oxygen
// sensors bank 1 before and after the catalyst, bank 2 before and after.
inline constexpr std::array<int, 9> kValues = {1141, 1309, 1310, 1316, 1315,
                                               1326, 1325, 1322, 1320};
inline constexpr int kLblLoad = 1133;
inline constexpr int kLblLoadUnit = 1092;
inline constexpr int kLblShortTrim = 1311;
inline constexpr int kLblLongTrim = 1312;
inline constexpr int kLblLambdaBefore = 1319;
inline constexpr int kLblLambdaAfter = 1321;
inline constexpr int kLblValuesBank1 = 1327;
inline constexpr int kLblValuesBank2 = 1328;

inline constexpr int kChkCorrection = 1452;
inline constexpr int kLblPeriod = 1453;
inline constexpr int kCmbPeriod = 1456;
inline constexpr int kLblPeriodUnit = 1458;
inline constexpr int kLblMaximum = 1454;
inline constexpr int kCmbMaximum = 1457;
inline constexpr int kLblMaximumUnit = 1459;
inline constexpr int kLblBank1Corr = 1460;
inline constexpr int kBank1Corr = 1462;
inline constexpr int kLblBank1CorrUnit = 1461;
inline constexpr int kLblBank2Corr = 1467;
inline constexpr int kBank2Corr = 1468;
inline constexpr int kLblBank2CorrUnit = 1469;
inline constexpr int kLblCylBank1 = 1129;
inline constexpr int kLblCylBank2 = 1130;
inline constexpr int kLblCylinder = 1131;
// Cylinder boxes of each bank and the cylinder number labels, cylinder 1..8.
inline constexpr std::array<int, 8> kCylBank1 = {1005, 1008, 1011, 1014, 1017, 1020, 1023, 1026};
inline constexpr std::array<int, 8> kCylBank2 = {1007, 1009, 1012, 1015, 1018, 1021, 1024, 1027};
inline constexpr std::array<int, 8> kCylLabels = {1006, 1010, 1013, 1016, 1019, 1022, 1025, 1028};

// ---- oscilloscope page ----
inline constexpr int kBtnRun = 1134;
inline constexpr int kBtnPause = 1135;
inline constexpr int kBtnStopRecording = 1136;
inline constexpr int kBtnRecord = 1484;
inline constexpr int kBtnOpen = 1485;
inline constexpr int kCmbScale = 1472;
inline constexpr int kLblScale = 1471;
inline constexpr int kChart = 1050;
// Scale labels, bottom to top.
inline constexpr std::array<int, 11> kScaleLabels = {1474, 1473, 1475, 1476, 1477, 1478,
                                                     1479, 1480, 1482, 1483, 1499};

// Scan-tool part of the OBD page (no ids of their own in the original dialog).
inline constexpr int kBtnReadScan = 1600;
inline constexpr int kScanTabs = 1601;
inline constexpr int kReadinessTable = 1602;
inline constexpr int kFreezeTable = 1603;
inline constexpr int kCodeTabs = 1604;
inline constexpr int kPendingList = 1605;
inline constexpr int kPermanentList = 1606;
inline constexpr int kVinField = 1607;
inline constexpr int kCalibrationField = 1608;
inline constexpr int kLblVin = 1609;
inline constexpr int kLblCalibration = 1610;

// ---- fault dialog ----
inline constexpr int kErrText = 1101;
inline constexpr int kChkContinuousSignal = 1132;
inline constexpr int kBtnClearErrors = 1100;
inline constexpr int kBtnCloseErrors = 2;

} // namespace vexor::ids::diag
