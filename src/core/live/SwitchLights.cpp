#include "live/SwitchLights.h"

#include "live/LiveValues.h"

namespace vexor {

SLightColors switchLightColors(std::uint8_t workMode, std::uint8_t modeFlag, std::uint8_t fuelLevel,
                               const DeviceSettings::SensorsSetup& sensors, bool blinkOn) {
    SLightColors lights{kRefLightOff, kRefLightOff, kRefLightOff, kRefLightOff};
    if (workMode == kWorkModeGas) {
        int level = fuelLevel;
        int full = sensors.m_fuelFull;
        int threeQuarters = sensors.m_fuelHgw;
        int half = sensors.m_fuelHalf;
        if (full < threeQuarters) {
            level = 255 - level;
            full = 255 - full;
            threeQuarters = 255 - threeQuarters;
            half = 255 - half;
        }
        if (full < level || threeQuarters < level) {
            lights[0] = full < level ? kRefLightGreen : kRefLightOff;
            lights[1] = kRefLightGreen;
            lights[2] = kRefLightGreen;
        } else {
            lights[2] = half < level ? kRefLightGreen : kRefLightOff;
        }
        lights[3] = kRefLightRed;
    } else if (modeFlag == 1) {
        lights[3] = blinkOn ? kRefLightRed : kRefLightOff;
    }
    return lights;
}

std::optional<SLightColors> CSwitchLights::tick(const CDiag& record,
                                                const DeviceSettings::SensorsSetup& sensors) {
    if (--m_countdown > 0)
        return std::nullopt;
    m_countdown = kRefreshesPerUpdate;
    if (record.workMode() != kWorkModeGas && record.modeFlag() == 1)
        m_blink = !m_blink;
    return switchLightColors(record.workMode(), record.modeFlag(), record.fuelLevel(), sensors,
                             m_blink);
}

} // namespace vexor
