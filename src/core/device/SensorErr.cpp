#include "device/SensorErr.h"

#include <utility>

CSensorErr::CSensorErr(vexor::TextTranslator translator) : CDeviceErrorBase(std::move(translator)) {
    addMessage("Brak sygnału RPM");
    addMessage("Błąd - czujnik ciśnienia");
    addMessage("Błąd - czujnik temperatury gazu");
    addMessage("Błąd - czujnik temperatury reduktora");
    addMessage("Błąd - niskie napięcie zasilania.");
    addMessage("Błąd - czujnik temperatury wewnętrznej sterownika");
}

std::string CSensorErr::name() const {
    return translate("Czujniki");
}
