#pragma once

#include "device/DeviceSettings.h"
#include "device/Diag.h"

#include <array>
#include <cstdint>
#include <optional>

namespace vexor {

inline constexpr std::uint32_t kRefLightOff = 0x323232;
inline constexpr std::uint32_t kRefLightGreen = 0x408000;
inline constexpr std::uint32_t kRefLightRed = 0x0000FF;

// Colours of the four switch lights, indexed 0 = 1162 ... 3 = 1165 (on the
// form they run 1165, 1164, 1163, 1162 from left to right).
using SLightColors = std::array<std::uint32_t, 4>;

// On gas the lights show the tank level against the full / 3/4 / half marks
// (a sensor whose full mark lies below its 3/4 mark runs the other way and is
// mirrored first). Off gas, mode flag 1 blinks the last light; otherwise all
// are off.
SLightColors switchLightColors(std::uint8_t workMode, std::uint8_t modeFlag, std::uint8_t fuelLevel,
                               const DeviceSettings::SensorsSetup& sensors, bool blinkOn);

// The lights change every fifth refresh; this keeps that count and the blink
// state between refreshes.
class CSwitchLights {
public:
    static constexpr int kRefreshesPerUpdate = 5;

    // The new colours on every fifth call, nothing on the others.
    std::optional<SLightColors> tick(const CDiag& record,
                                     const DeviceSettings::SensorsSetup& sensors);

private:
    int m_countdown = kRefreshesPerUpdate;
    bool m_blink = false;
};

} // namespace vexor
