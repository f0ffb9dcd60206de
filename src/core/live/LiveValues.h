#pragma once

#include "device/DeviceSettings.h"
#include "device/Diag.h"

#include <array>
#include <cstdint>
#include <string>

namespace vexor {

// The texts of the live display for one record: the nine value fields and the
// petrol and gas times of the eight cylinders (the cylinder column beside the
// values repeats the petrol row).
struct SLiveTexts {
    std::string gasPressure;
    std::string manifold;
    std::string gasTempr;
    std::string reducerTempr;
    std::string supply;
    std::string lambda1;
    std::string lambda2;
    std::string rpm;
    std::string gasTime1;
    std::array<std::string, 8> petrol;
    std::array<std::string, 8> gas;
    double lambda1Volts = 0.0;
    double lambda2Volts = 0.0;

    bool operator==(const SLiveTexts&) const = default;
};

SLiveTexts liveTexts(const CDiag& record, const DeviceSettings& settings);

// printf-style formatting of one number. A value that rounds to zero never
// shows a minus sign.
std::string formatNumber(const char* format, double value);

// "0" below 100 rpm (and for a zero period, which has no speed), else the
// speed without decimals.
std::string rpmText(std::uint16_t period);

// How many cylinders the display fills: the configured count, kept to 0..8.
int displayedCylinders(std::int32_t injCount);

// Colours of the injector number labels: green while the injector works and
// the car runs on gas, grey otherwise.
inline constexpr std::uint32_t kRefInjectorOnGas = 0x40C000;
inline constexpr std::uint32_t kRefInjectorIdle = 0xC0C0C0;
inline constexpr std::uint8_t kWorkModeGas = 3;

bool injectorWorks(const CDiag& record, int injector);
std::uint32_t injectorLabelColor(const CDiag& record, int injector);

} // namespace vexor
