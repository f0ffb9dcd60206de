#pragma once

// Control ids of the advanced page, its settings dialogs and their labels.
// The page reuses ids of the main view (1015, 1046, 1056 ...); its own text
// scope keeps the two apart.
namespace vexor::ids {

// Advanced page: value combo boxes.
inline constexpr int kAdvWarmingTime = 1048;
inline constexpr int kAdvPressureRef = 1015;
inline constexpr int kAdvPressureGain = 1054;
inline constexpr int kAdvCutOffPressure = 1056;
inline constexpr int kAdvCutOffExitDelay = 1057;
inline constexpr int kAdvMinLpgTime = 1050;
inline constexpr int kAdvIgnoreTime = 1046;
inline constexpr int kAdvSwitchCorr = 1384;
inline constexpr int kAdvSwitchCorrTime = 1385;
// Advanced page: check boxes.
inline constexpr int kAdvChkWarming = 1292;
inline constexpr int kAdvChkFast = 1293;
inline constexpr int kAdvChkCutOff = 1298;
inline constexpr int kAdvChkContinuous = 1133;
inline constexpr int kAdvChkSwitchCorr = 1352;
// Advanced page: labels and groups.
inline constexpr int kAdvGrpWarming = 2101;
inline constexpr int kAdvLblWarmingTime = 2102;
inline constexpr int kAdvGrpPressure = 2103;
inline constexpr int kAdvLblPressureRef = 2104;
inline constexpr int kAdvLblPressureGain = 2105;
inline constexpr int kAdvGrpCutOff = 2106;
inline constexpr int kAdvLblCutOffPressure = 2107;
inline constexpr int kAdvLblCutOffExitDelay = 2108;
inline constexpr int kAdvLblMinLpgTime = 2109;
inline constexpr int kAdvLblIgnoreTime = 2110;
inline constexpr int kAdvLblSwitchCorrTime = 2111;

// Settings dialog buttons.
inline constexpr int kSetBtnRead = 1485;
inline constexpr int kSetBtnWrite = 1084;
inline constexpr int kSetBtnDefaults = 1085;
inline constexpr int kSetBtnFirmware = 1086;

// Vehicle information dialog.
inline constexpr int kSrvPetrolTime = 1091;
inline constexpr int kSrvGasTime = 1092;
inline constexpr int kSrvLastModified = 1093;
inline constexpr int kSrvThisStation = 1094;
inline constexpr int kSrvHoursLeft = 1095;
inline constexpr int kSrvHoursUnit = 1099;
inline constexpr int kSrvBtnSet = 1083;
inline constexpr int kSrvGrpWorkTime = 2121;
inline constexpr int kSrvLblPetrol = 2122;
inline constexpr int kSrvLblGas = 2123;
inline constexpr int kSrvLblLastModified = 2124;
inline constexpr int kSrvLblThisStation = 2125;
inline constexpr int kSrvGrpInspection = 2126;
inline constexpr int kSrvLblHoursLeft = 2127;

// Inspection-interval dialog.
inline constexpr int kSetSrvDistance = 1098;
inline constexpr int kSetSrvLblDistance = 2131;
inline constexpr int kSetSrvLblNote = 2132;

} // namespace vexor::ids
