#pragma once

#include <algorithm>

namespace vexor {

// The main correction is a constant time the controller adds to every gas
// injection, one value per cylinder. Outside these limits the injectors are the
// wrong size for the engine and no correction can make up for it.
inline constexpr double kMainCorrMin = -3.0; // ms
inline constexpr double kMainCorrMax = 6.0;  // ms
// The factory value, and the value the calibration asks to return to.
inline constexpr double kMainCorrDefault = 1.0; // ms

inline double clampMainCorr(double ms) {
    return std::clamp(ms, kMainCorrMin, kMainCorrMax);
}

} // namespace vexor
