#pragma once

#include "device/LoadMap.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The two collected load maps (petrol and gas) laid out as the calibration
// chart shows them: 75 columns of 2 kPa manifold pressure each, every column
// a list of petrol injection times in ms.
namespace vexor {

inline constexpr int kChartColumnCount = 75;
inline constexpr double kChartColumnKpa = 2.0;
inline constexpr double kLoadMapTimeStepMs = 0.004;
// A bin's mean time enters its column this many times, so that one map read
// fills a column just past the 10 values the line computation asks for.
inline constexpr int kBinRepeat = 11;
// How full a map is: total * 2 * 100 / 60000 percent, at most 100.
inline constexpr double kFullMapSamples = 30000.0;

double loadMapFillPercent(const LoadMap& map);
// "%.0f %%" of loadMapFillPercent.
std::string loadMapFillText(const LoadMap& map);

// Manifold pressure of bin b (0..30) in kPa. With an absolute sensor (bit 4
// of the first or bit 0 of the second advanced-flags byte) the bin stands
// for raw trunc(b * 156 / 72 + 11); otherwise bins above 24 are not used
// (nothing) and the bin is 101 - pressureFromRaw(83 - 3b), rounded.
std::optional<double> loadMapBinPressure(int bin, std::uint8_t advancedFlags,
                                         std::uint8_t advancedFlags2);
// The chart column of a bin: trunc(pressure) / 2; nothing outside 0..74.
std::optional<int> loadMapBinColumn(int bin, std::uint8_t advancedFlags,
                                    std::uint8_t advancedFlags2);
// Mean petrol time of a bin, sum / count * 0.004 ms rounded to two
// decimals; 0 for an empty bin.
double loadMapBinTime(const LoadMap& map, int bin);

} // namespace vexor

// One chart column: the times it holds and their mean.
class CChartColumn {
public:
    void add(double value);
    void clear();
    const std::vector<double>& values() const { return m_values; }
    int count() const { return static_cast<int>(m_values.size()); }
    // 0 for an empty column.
    double mean() const { return m_values.empty() ? 0.0 : m_sum / count(); }
    // Whether v lies within 15 % of the column mean; the chart and the line
    // computation both leave out the values that do not.
    bool isClose(double value) const;

private:
    std::vector<double> m_values;
    double m_sum = 0.0;
};

struct SCloudPoint {
    double timeMs = 0.0;
    double pressureKpa = 0.0;
    bool gas = false;

    bool operator==(const SCloudPoint&) const = default;
};

class CLoadMapColumns {
public:
    // A column needs more values than this to be drawn as a cloud.
    static constexpr int kCloudMinValues = 5;

    void clear();
    // Clears every column, then adds each non-empty bin's mean time of each
    // map kBinRepeat times to the bin's column.
    void build(const LoadMap& petrol, const LoadMap& gas, std::uint8_t advancedFlags,
               std::uint8_t advancedFlags2);
    // Column 0..74; a column outside that range reads empty.
    const CChartColumn& petrol(int column) const;
    const CChartColumn& gas(int column) const;
    // Every column holding more than kCloudMinValues values gives one point
    // per value close to its mean, at (time, 2c kPa).
    std::vector<SCloudPoint> cloudPoints() const;

private:
    std::array<CChartColumn, vexor::kChartColumnCount> m_petrol;
    std::array<CChartColumn, vexor::kChartColumnCount> m_gas;
};
