#pragma once

#include <cmath>

// Rounding to an integer or to a number of decimals, halves away from zero for
// negative values too (std::round's rule).
namespace vexor {

inline double roundTo(double value, double scale) { return std::round(value * scale) / scale; }

inline int roundInt(double value) { return static_cast<int>(std::lround(value)); }
inline double round1(double value) { return roundTo(value, 10.0); }
inline double round2(double value) { return roundTo(value, 100.0); }
inline double round3(double value) { return roundTo(value, 1000.0); }

} // namespace vexor
