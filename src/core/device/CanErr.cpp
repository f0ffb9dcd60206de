#include "device/CanErr.h"

#include <utility>

CCanErr::CCanErr(vexor::TextTranslator translator) : CDeviceErrorBase(std::move(translator)) {
    addMessage("Błąd magistrali CAN");
}

std::string CCanErr::name() const {
    return translate("CAN");
}
