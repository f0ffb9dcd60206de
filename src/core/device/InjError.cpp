#include "device/InjError.h"

#include <utility>

CInjError::CInjError(vexor::TextTranslator translator) : CDeviceErrorBase(std::move(translator)) {
    addMessage("Błąd wtryskiwacza gazu 1");
    addMessage("Błąd wtryskiwacza gazu 2");
    addMessage("Błąd wtryskiwacza gazu 3");
    addMessage("Błąd wtryskiwacza gazu 4");
    addMessage("Błąd wtryskiwacza gazu 5");
    addMessage("Błąd wtryskiwacza gazu 6");
    addMessage("Błąd wtryskiwacza gazu 7");
    addMessage("Błąd wtryskiwacza gazu 8");
}

std::string CInjError::name() const {
    return translate("Wtryskiwacze");
}
