#pragma once

#include <array>

// Control, command and timer ids of the main window, its view and its small
// dialogs. Text objects and tests find the controls by these ids.
namespace vexor::ids {

// Value fields of the live display.
inline constexpr int kGasPressure = 1056;
inline constexpr int kManifold = 1057;
inline constexpr int kGasTempr = 1064;
inline constexpr int kReducerTempr = 1065;
inline constexpr int kSupply = 1072;
inline constexpr int kLambda1 = 1068;
inline constexpr int kLambda2 = 1075;
inline constexpr int kRpm = 1069;
inline constexpr int kGasTime1 = 1077;
inline constexpr int kLambdaDisplay1 = 1139;
inline constexpr int kLambdaDisplay2 = 1138;

// The injector row: enable check boxes, number labels, petrol times, gas times,
// and the petrol-time column beside the values.
inline constexpr std::array<int, 8> kInjectorChecks = {1005, 1008, 1011, 1014,
                                                       1017, 1020, 1023, 1026};
inline constexpr std::array<int, 8> kInjectorLabels = {1006, 1010, 1013, 1016,
                                                       1019, 1022, 1025, 1028};
inline constexpr std::array<int, 8> kPetrolRow = {1007, 1009, 1012, 1015, 1018, 1021, 1024, 1027};
inline constexpr std::array<int, 8> kGasRow = {1029, 1030, 1031, 1033, 1034, 1035, 1036, 1037};
inline constexpr std::array<int, 8> kCylColumn = {1080, 1086, 1088, 1090, 1092, 1094, 1096, 1098};

// Fuel switch buttons and the four lights, left to right.
inline constexpr int kBtnGasoline = 1059;
inline constexpr int kBtnLpg = 1058;
inline constexpr int kBtnAuto = 1060;
inline constexpr std::array<int, 4> kLightsLeftToRight = {1165, 1164, 1163, 1162};
inline constexpr int kPropSheet = 1032;

// Labels and group frames of the form.
inline constexpr int kGrpSwitch = 1201;
inline constexpr int kGrpInjectors = 1202;
inline constexpr int kGrpRpm = 1203;
inline constexpr int kLblRpm = 1204;
inline constexpr int kGrpPressure = 1205;
inline constexpr int kLblPressGas = 1206;
inline constexpr int kLblPressManifold = 1207;
inline constexpr int kGrpTempr = 1208;
inline constexpr int kLblTemprGas = 1209;
inline constexpr int kLblTemprReducer = 1210;
inline constexpr int kGrpVoltage = 1211;
inline constexpr int kLblSupply = 1212;
inline constexpr int kLblLambda1 = 1213;
inline constexpr int kLblLambda2 = 1214;
inline constexpr int kLblGasTime = 1215;
inline constexpr int kGrpInjTime = 1216;
inline constexpr std::array<int, 8> kLblCyl = {1217, 1218, 1219, 1220, 1221, 1222, 1223, 1224};

// Module-type dialog, About box, password dialog, language dialog.
inline constexpr int kWorkModeLabel = 1104;
inline constexpr int kWorkModeList = 1105;
inline constexpr int kAboutEdit = 1001;
inline constexpr int kPasswdEdit = 1001;
inline constexpr int kPasswdLabel = 1002;
inline constexpr int kLangList = 1118;

// Menu and toolbar commands.
inline constexpr int kCmdMainCorr = 32773;
inline constexpr int kCmdCharts = 32774;
inline constexpr int kCmdErrors = 32775;
inline constexpr int kCmdService = 32776;
inline constexpr int kCmdSettings = 32777;
inline constexpr int kCmdLanguage = 32778;
inline constexpr int kCmdInjSize = 32779;
inline constexpr int kCmdAppAbout = 57664;
inline constexpr int kCmdAppExit = 57665;
inline constexpr int kCmdHelp = 57670;

// Window timers.
inline constexpr int kTimerDisplay = 1000;
inline constexpr int kTimerReconnect = 1002;
inline constexpr int kTimerDisplayDlg = 5002;

} // namespace vexor::ids
