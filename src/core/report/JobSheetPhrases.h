#pragma once

// The headings and labels of the job sheet (Polish, translated when shown).
namespace vexor::jobsheet {

inline constexpr const char* kTitle = "Karta zlecenia";
inline constexpr const char* kIssued = "Data i godzina";
inline constexpr const char* kDemo = "Tryb demo";
inline constexpr const char* kController = "Sterownik";
inline constexpr const char* kVersion = "Wersja";
inline constexpr const char* kSerial = "Numer seryjny";
inline constexpr const char* kProdDate = "Data produkcji";
inline constexpr const char* kInjectors = "Liczba wtryskiwaczy";
inline constexpr const char* kStationCode = "Kod stanowiska";
inline constexpr const char* kThisStation = "Kod tego stanowiska";
inline constexpr const char* kVehicle = "Samochód";
inline constexpr const char* kVendor = "Marka";
inline constexpr const char* kModel = "Model";
inline constexpr const char* kEngine = "Silnik";
inline constexpr const char* kPower = "Moc";
inline constexpr const char* kProdYear = "Rok produkcji";
inline constexpr const char* kCarInjectors = "Wtryskiwacze";
inline constexpr const char* kStatistics = "Statystyka";
inline constexpr const char* kPetrolTime = "Czas pracy na benzynie";
inline constexpr const char* kGasTime = "Czas pracy na gazie";
inline constexpr const char* kModifications = "Liczba modyfikacji";
inline constexpr const char* kFaults = "Błędy sterownika";
inline constexpr const char* kObdCodes = "Kody błędów OBD";
inline constexpr const char* kVin = "VIN";
inline constexpr const char* kCalibrationId = "Identyfikator kalibracji";
inline constexpr const char* kReadiness = "Gotowość OBD";
inline constexpr const char* kPendingCodes = "Kody oczekujące";
inline constexpr const char* kPermanentCodes = "Kody stałe";
inline constexpr const char* kAtConnection = "Przy podłączeniu";
inline constexpr const char* kNow = "Teraz";
inline constexpr const char* kNone = "Brak";
inline constexpr const char* kNotRead = "Nie odczytano";
inline constexpr const char* kChanges = "Zmienione ustawienia";
inline constexpr const char* kSetting = "Ustawienie";
inline constexpr const char* kUnit = "Jednostka";
inline constexpr const char* kBefore = "Przed";
inline constexpr const char* kAfter = "Po";
inline constexpr const char* kNoChanges = "Nie zmieniono ustawień";
inline constexpr const char* kNoBaseline = "Brak kopii ustawień sprzed zmian";
inline constexpr const char* kMap = "Mapa korekcji";
inline constexpr const char* kMultiplierLine = "Linia mnożnika";
inline constexpr const char* kLoadMaps = "Mapy obciążenia";
inline constexpr const char* kPetrolMap = "Benzyna";
inline constexpr const char* kGasMap = "Gaz";
inline constexpr const char* kSamples = "Próbki";
inline constexpr const char* kCalibration = "Automatyczna kalibracja";
inline constexpr const char* kCalOutcome = "Wynik";
inline constexpr const char* kCalCompleted = "Zakończona";
inline constexpr const char* kCalFailed = "Nieudana";
inline constexpr const char* kCalStopped = "Przerwana przez użytkownika";
inline constexpr const char* kCalPortError = "Przerwana błędem portu";
inline constexpr const char* kCalEnded = "Zakończono";
inline constexpr const char* kCalPressure = "Ciśnienie gazu";
inline constexpr const char* kCalDifferences = "Różnice czasu wtrysku gaz - benzyna";
inline constexpr const char* kCalMainCorrection = "Korekta główna";
inline constexpr const char* kLive = "Wartości bieżące";
inline constexpr const char* kWorkMode = "Tryb pracy";
// What the fitter enters about the car and the customer.
inline constexpr const char* kRegistration = "Numer rejestracyjny";
inline constexpr const char* kOdometer = "Przebieg";
inline constexpr const char* kCustomer = "Klient";
inline constexpr const char* kWorkDone = "Wykonane prace";
// Work modes of a live record and the states of an option bit.
inline constexpr const char* kOnPetrol = "Benzyna";
inline constexpr const char* kOnGas = "Gaz";
inline constexpr const char* kBitOn = "Włączony";
inline constexpr const char* kBitOff = "Wyłączony";
inline constexpr const char* kRpmLabel = "Obroty";

} // namespace vexor::jobsheet
