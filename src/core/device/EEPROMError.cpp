#include "device/EEPROMError.h"

#include <utility>

CEEPROMError::CEEPROMError(vexor::TextTranslator translator)
    : CDeviceErrorBase(std::move(translator)) {
    addMessage("Błąd zapisu do pamięci");
    addMessage("Błąd odczytu z pamięci");
    addMessage("Błąd ustawienia adresu pamięci");
    addMessage("Błędne dane w pamięci stałej");
    addMessage("Błąd zapisu struktury do pamięci");
    addMessage("Błąd odczytu struktury z pamięci");
    addMessage("Błędny typ struktury pamięci");
    addMessage("Błąd sumy kontrolnej w pamięci");
}

std::string CEEPROMError::name() const {
    return translate("Dane");
}
