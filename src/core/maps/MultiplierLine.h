#pragma once

#include "device/DeviceSettings.h"
#include "maps/LoadMapColumns.h"

#include <array>

// The multiplier line: one correction in percent (-50..+50) for each 1 ms
// band of petrol injection time, m_setupTimes1[0..19], which the controller
// applies on gas. The calibration page computes it from the two load maps
// ("Oblicz nastawy") and lets the fitter move its points.
namespace vexor {

inline constexpr int kLinePoints = 20;
using LineValues = std::array<double, kLinePoints>;
inline constexpr double kLineMin = -50.0;
inline constexpr double kLineMax = 50.0;
// A column takes part in the computation only with more values than this.
inline constexpr int kLineMinColumnValues = 10;

// The column's average for the line: with more than 10 values, the mean of
// those within 15 % of the column mean (0 when none is); otherwise 0.
double lineColumnAverage(const CChartColumn& column);

// Per band k = floor(petrol average) (0..19), the mean over the columns in it
// of (gas - petrol) * 100 / petrol, kept to -50..+50; 0 for a band without
// columns. Only columns with both averages above 0 take part: a column that
// lacks one of them says nothing about the difference, and counting it as 0
// would pull its band towards no correction.
LineValues lineBandCorrections(const CLoadMapColumns& columns);

// Fills the bands without a value (exactly 0) from their neighbours: a band
// between or below bands with values takes the next band above that has one,
// a band above the highest band with a value takes that band's value. Bands
// with values keep them.
LineValues fillLineBands(const LineValues& bands);

// s0 = e0, s19 = e19, sk = (e(k-1) + ek + e(k+1)) / 3 in between.
LineValues smoothLineBands(const LineValues& bands);

// The three steps above: what "Oblicz nastawy" adds to the line.
LineValues computeLineCorrections(const CLoadMapColumns& columns);

// Adds each correction, rounded to a whole number, to its point of
// m_setupTimes1, keeps every point to -50..+50 and clears m_tableMask.
void addLineCorrections(DeviceSettings& settings, const LineValues& corrections);

// +1 or -1 on every point, kept to -50..+50; m_tableMask cleared.
void incrementLine(DeviceSettings& settings, bool up);
// Every point of both setup-time rows to 0; m_tableMask cleared.
void clearLine(DeviceSettings& settings);

// A point's factor on the chart (1 + percent / 100) and back. The factor
// carries two decimals, so the percent is the nearest whole number: cutting
// the decimals off would turn 1.14 (0.13999... after the subtraction) into
// 13 %.
double lineFactor(double percent);
int linePercent(double factor);

} // namespace vexor
