#include "device/TransmError.h"

#include <utility>

CTransmError::CTransmError(vexor::TextTranslator translator)
    : CDeviceErrorBase(std::move(translator)) {
    addMessage("Nieznana komenda");
    addMessage("Nieznana ramka");
    addMessage("Błędny nagłówek ramki");
    addMessage("Błąd CRC ramki");
    addMessage("Błąd inny niż transmisji");
}

std::string CTransmError::name() const {
    return translate("Transmisja");
}
