#pragma once

#include <array>

// Control ids of the map page, its grid and value dialogs, and the correction
// tools. Text objects and tests find the controls by these ids.
namespace vexor::ids {

// The "Mapa" page: the grid and its in-place editor.
inline constexpr int kMapGrid = 1060;
inline constexpr int kMapCellEditor = 138;
// Commands the grid's right-click menu carries after the correction items.
inline constexpr int kCmdMapUndo = 32901;
inline constexpr int kCmdMapRedo = 32902;
inline constexpr int kCmdMapCopy = 32903;
inline constexpr int kCmdMapPaste = 32904;
inline constexpr int kCmdMapSmooth = 32905;
inline constexpr int kCmdMapHeat = 32906;

// The value dialogs of the grid's menu ("Dodaj...", "Odejmij...", "Ustaw...").
inline constexpr int kMapAddDlg = 181;
inline constexpr int kMapSubbDlg = 180;
inline constexpr int kMapSetDlg = 183;
inline constexpr int kMapValueLabel = 1047;
inline constexpr int kMapValueEdit = 1046;
inline constexpr int kMapValuePercent = 1048;
inline constexpr int kDlgOk = 1;
inline constexpr int kDlgCancel = 2;

// The main correction dialog: per cylinder the text field, the 0.01 ms
// up-down control on its right and the 0.1 ms one on its left.
inline constexpr std::array<int, 8> kMainCorrFields = {1198, 1223, 1225, 1227,
                                                       1229, 1231, 1233, 1235};
inline constexpr std::array<int, 8> kMainCorrFineSpins = {1200, 1224, 1226, 1228,
                                                          1230, 1232, 1234, 1236};
inline constexpr std::array<int, 8> kMainCorrCoarseSpins = {1201, 1237, 1238, 1239,
                                                            1240, 1241, 1242, 1243};
inline constexpr int kMainCorrGroup = 1196;
inline constexpr int kMainCorrChangeAll = 1421;

// The nozzle calculator.
inline constexpr int kInjSizeCylLabel = 1150;
inline constexpr int kInjSizeCylinders = 1151;
inline constexpr int kInjSizePowerLabel = 1152;
inline constexpr int kInjSizePower = 1153;
inline constexpr int kInjSizePowerSpin = 1154;
inline constexpr int kInjSizeTypeLabel = 1155;
inline constexpr int kInjSizeType = 1156;
inline constexpr int kInjSizeCalc = 1157;
inline constexpr int kInjSizeResult = 1158;
inline constexpr int kInjSizeUnit = 1159;

} // namespace vexor::ids
