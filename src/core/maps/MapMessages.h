#pragma once

#include "platform/Seams.h"

#include <memory>
#include <string>

class IError;

// Messages of the map grid and the calibration page (Polish keys, translated
// when shown), and the report names shown above a port error.
namespace vexor {

inline constexpr const char* kMsgMapWrite =
    "Nie powiodło się wpisanie mapy wtrysków do urządzenia!";
inline constexpr const char* kMsgPositiveNumber = "Wprowadź dodatnią liczbę";
inline constexpr const char* kMsgMapsRead = "Nie powiodło się odczytanie ustawień urządzenia!";
inline constexpr const char* kMsgLineWrite = "Nie powiodło się wpisanie ustawień do urządzenia!";
inline constexpr const char* kMsgSetDevice = "Nie powiodło się ustawienie urządzenia!";

inline constexpr const char* kHandlerMapAdd = "CMapArray::onMapAdd()";
inline constexpr const char* kHandlerMapSubb = "CMapArray::onMapSubb()";
inline constexpr const char* kHandlerMapClear = "CMapArray::onMapClear()";
inline constexpr const char* kHandlerMapSet = "CMapArray::onMapSet()";
inline constexpr const char* kHandlerMapIncrement = "CMapArray::incrementSelected()";
inline constexpr const char* kHandlerMapEdit = "CMapEdit::getText()";
inline constexpr const char* kHandlerMapPageActivate = "CMapCorrPage::activate()";

inline constexpr const char* kHandlerCorrChanged = "CMapPage::onCorrChanged()";
inline constexpr const char* kHandlerIncrementAll = "CMapPage::onIncrementAll()";
inline constexpr const char* kHandlerCompute = "CMapPage::OnBtnCreate()";
inline constexpr const char* kHandlerClearGas = "CMapPage::OnBtnClrMapLpg()";
inline constexpr const char* kHandlerClearPetrol = "CMapPage::OnBtnClrMap()";
inline constexpr const char* kHandlerReadMaps = "CMapPage::OnBtnReadMap()";
inline constexpr const char* kHandlerClearLine = "CMapPage::OnBtnClearCorr()";
inline constexpr const char* kHandlerCalibrationInit = "CMapPageDlg::OnInitDialog()";

// A failure message: the Polish text translated, with the error icon.
void showMapFailure(const Seams& seams, const char* polish);
// A port error: the report name, a line break and the error's description,
// with the error icon. The error is destroyed afterwards.
void reportMapError(const Seams& seams, const char* handler, std::unique_ptr<IError> error);

} // namespace vexor
