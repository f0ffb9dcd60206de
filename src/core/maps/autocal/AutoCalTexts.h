#pragma once

#include "maps/autocal/AutoCalRules.h"

#include <string>

class IError;

// The automatic calibration's texts: the Polish phrases (keys of the phrase
// table) and the boxes built from several of them. Each builder translates
// every phrase on its own, so the pieces stay keys, and joins them in the
// current language.
namespace vexor::autocal {

inline constexpr const char* kCaptionStart = "Autokalibracja";
inline constexpr const char* kCaptionStop = "Wyłącz kalibrację";

inline constexpr const char* kMsgNoLiveData = "Błąd - Brak diagnostyki!";
inline constexpr const char* kMsgReducerCold = "Temperatura reduktora mniejsza niż ";
inline constexpr const char* kMsgWarmUp = "Uruchom autokalibrację po rozgrzaniu silnika";
inline constexpr const char* kMsgResetAdvice = "Uwaga!!! Przed każdą ponowną autokalibracją "
                                               "zalecane jest przywrócenie nastawów do wartości "
                                               "domyślnych.";
inline constexpr const char* kMsgResetMainCorr =
    "Czy przywrócić główną poprawkę stałoczasową (do 1,00 ms)?";
inline constexpr const char* kMsgResetLine = "Czy skasować nastawy linii mnożnika?";
inline constexpr const char* kMsgResetMap =
    "Czy skasować modyfikacje mapy 'Czas wtrysku/Obroty' (ms/RPM)?";
inline constexpr const char* kMsgSetDevice = "Nie powiodło się ustawienie urządzenia!";
inline constexpr const char* kMsgIdle =
    "Kalibracja powinna być przeprowadzona na wolnych obrotach.";
inline constexpr const char* kMsgNoPetrol = "Błąd - Nie można przełączyć na benzynę!";
inline constexpr const char* kMsgNoGas = "Błąd - Nie można przełączyć na LPG!";
inline constexpr const char* kMsgRead = "Błąd - Nie powiodło się wczytanie ustawień z urządzenia!";
inline constexpr const char* kMsgWrite = "Błąd - Nie powiodło się wpisanie ustawień do urządzenia!";
inline constexpr const char* kMsgNoTime = "Błąd - Nie można pobrać czasu wtr. benzynowego!";
inline constexpr const char* kMsgAllRejected =
    "Błąd procedury autoustawiania. Wszystkie wartości średnie zostały odrzucone";
inline constexpr const char* kMsgDone = "Autokalibracja zakończona";
inline constexpr const char* kMsgClearMaps =
    "Przed zebraniem map benzyny i gazu zalecane jest wykasowanie dotychczasowych map.";
inline constexpr const char* kMsgProcedureError = "Błąd wykonania procedury autoustawiania";

inline constexpr const char* kMsgCorrection = "Policzona korekta: ";
inline constexpr const char* kMsgTooSmall = " ms jest za mała.";
inline constexpr const char* kMsgTooLarge = " ms jest za duża.";
inline constexpr const char* kMsgRange = "Korekty powinny być z zakresu od 0.5ms do 2.5ms.";
inline constexpr const char* kMsgUseSmaller = "Należy zmienić wtryskiwacze na mniejsze.";
inline constexpr const char* kMsgUseLarger = "Należy zmienić wtryskiwacze na większe.";
inline constexpr const char* kMsgMs = " ms ";
inline constexpr const char* kMsgOutsideHigh =
    " nie mieści się w zalecanym zakresie od 0.5ms do 2.5ms.";
inline constexpr const char* kMsgOutsideLow =
    "nie mieści się w zalecanym zakresie od 0.5ms do 2.5ms.";
inline constexpr const char* kMsgAdviseLarger = "Zalecana jest zmiana wtryskiwaczy na większe.";
inline constexpr const char* kMsgAdviseSmaller = "Zalecana jest zmiana wtryskiwaczy na mniejsze.";

// "Temperatura reduktora mniejsza niż 50 C".
std::string reducerColdText();

// The reset question: the advice, then on lines of their own the main
// correction question and, when offered, the line and the map questions.
std::string resetQuestionText(const SResetOffer& offer);

// The box of a first-pass correction: three lines for a correction out of
// -3 .. +6 ms, two for the advice; empty for a correction in range. The value
// is shown "%.2f".
std::string correctionText(const SCorrectionCheck& check);

// "Błąd wykonania procedury autoustawiania" and the port error's description.
std::string procedureErrorText(const IError& error);

} // namespace vexor::autocal
