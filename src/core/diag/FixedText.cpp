#include "diag/FixedText.h"

#include <charconv>
#include <cmath>

namespace vexor {

std::string fixedText(double value, int decimals) {
    if (!std::isfinite(value))
        return value != value ? "nan" : (value < 0 ? "-inf" : "inf");
    // Large enough for any double in fixed notation with a few decimals.
    char buffer[400];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return {};
    return std::string(buffer, result.ptr);
}

} // namespace vexor
