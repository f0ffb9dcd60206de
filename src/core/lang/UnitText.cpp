#include "lang/UnitText.h"

#include "lang/Translate.h"

namespace vexor {

std::string unitText(const std::string& unit) {
    if (unit.empty())
        return unit;
    if (unit == "C")
        return "°C";
    return translate(unit);
}

} // namespace vexor
