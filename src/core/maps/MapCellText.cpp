#include "maps/MapCellText.h"

#include "maps/MapFormat.h"

#include <algorithm>
#include <cmath>

namespace vexor {

namespace {

std::uint8_t channel(double value) {
    return static_cast<std::uint8_t>(std::clamp(std::trunc(value), 0.0, 255.0));
}

} // namespace

double clampMapValue(double value) {
    // An infinity is no correction anybody meant: it counts as 0 like NaN,
    // not as the nearest limit.
    if (!std::isfinite(value))
        return 0.0;
    return std::clamp(value, kMapMinValue, kMapMaxValue);
}

SRgb mapValueColour(double value) {
    const double v = clampMapValue(value);
    if (v >= 0.0)
        return {255, channel(255.0 - 5.0 * v), channel(255.0 - 5.0 * v)};
    return {255, 255, channel(255.0 + 5.0 * v)};
}

std::string formatMapValue(double value) {
    return formatMapNumber("%.0f%%", value);
}

double mapTextValue(const std::string& text) {
    return leadingNumber(text);
}

std::string mapEditText(const std::string& typed) {
    if (typed.empty())
        return {};
    const int value = std::clamp(leadingInt(typed), static_cast<int>(kMapMinValue),
                                 static_cast<int>(kMapMaxValue));
    return std::to_string(value) + "%";
}

std::optional<int> acceptMapAmount(int typed) {
    if (typed < 0)
        return std::nullopt;
    return std::min(typed, static_cast<int>(kMapMaxValue));
}

int acceptMapSetValue(int typed) {
    return std::clamp(typed, static_cast<int>(kMapMinValue), static_cast<int>(kMapMaxValue));
}

} // namespace vexor
