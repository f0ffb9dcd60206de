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

// The map could not be written whole: the blocks whose write the controller
// did not confirm follow this text (rows in ms, columns in RPM).
inline constexpr const char* kMsgMapCellsNotWritten = "Urządzenie nie potwierdziło zapisu komórek:";
inline constexpr const char* kMsgNoConnection = "Brak połączenia";
inline constexpr const char* kMsgMapChanged =
    "Mapa w urządzeniu różni się od oczekiwanej. Historia zmian została wyczyszczona.";
inline constexpr const char* kMsgSmoothSize =
    "Wygładzanie wymaga zaznaczenia prostokąta co najmniej 3×3 komórek.";
// Followed by the number of cells that would change.
inline constexpr const char* kAskSmooth = "Wysłać wygładzoną mapę? Liczba zmienionych komórek:";
inline constexpr const char* kMsgSelectRectangle = "Zaznacz jeden prostokąt komórek.";
// Followed by the first field that is no whole number.
inline constexpr const char* kMsgPasteNotNumber = "Schowek nie zawiera samych liczb całkowitych:";
inline constexpr const char* kMsgPasteShape =
    "Wklejany blok nie pasuje do zaznaczenia albo wychodzi poza mapę.";
inline constexpr const char* kMsgPasteRange =
    "Wklejane wartości muszą mieścić się w zakresie od -50 do 50.";

// The grid's menu items beyond the correction popup, and its tool tip.
inline constexpr const char* kTextUndo = "Cofnij";
inline constexpr const char* kTextRedo = "Ponów";
inline constexpr const char* kTextCopy = "Kopiuj";
inline constexpr const char* kTextPaste = "Wklej";
inline constexpr const char* kTextSmooth = "Wygładź...";
inline constexpr const char* kTextHeat = "Pokaż odwiedziny";
// Followed by the number of live refreshes that found the engine in the cell.
inline constexpr const char* kTextVisits = "Odwiedziny:";

inline constexpr const char* kHandlerMapAdd = "CMapArray::onMapAdd()";
inline constexpr const char* kHandlerMapSubb = "CMapArray::onMapSubb()";
inline constexpr const char* kHandlerMapClear = "CMapArray::onMapClear()";
inline constexpr const char* kHandlerMapSet = "CMapArray::onMapSet()";
inline constexpr const char* kHandlerMapIncrement = "CMapArray::incrementSelected()";
inline constexpr const char* kHandlerMapEdit = "CMapEdit::getText()";
inline constexpr const char* kHandlerMapUndo = "CMapArray::onMapUndo()";
inline constexpr const char* kHandlerMapRedo = "CMapArray::onMapRedo()";
inline constexpr const char* kHandlerMapSmooth = "CMapArray::onMapSmooth()";
inline constexpr const char* kHandlerMapPaste = "CMapArray::onMapPaste()";
inline constexpr const char* kHandlerMapPropose = "CMapProposalDlg::OnApply()";
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
