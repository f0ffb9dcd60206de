#include "maps/LoadMapColumns.h"

#include "common/Rounding.h"
#include "device/Conversions.h"
#include "maps/MapFormat.h"

#include <algorithm>
#include <cmath>

namespace vexor {

namespace {
constexpr double kCloseShare = 0.15;
constexpr int kLastDifferentialBin = 24; // 3b > 72 lies outside the sensor's table
} // namespace

double loadMapFillPercent(const LoadMap& map) {
    return std::min(100.0, map.total * 100.0 / kFullMapSamples);
}

std::string loadMapFillText(const LoadMap& map) {
    return formatMapNumber("%.0f %%", loadMapFillPercent(map));
}

std::optional<double> loadMapBinPressure(int bin, std::uint8_t advancedFlags,
                                         std::uint8_t advancedFlags2) {
    if (bin < 0 || bin >= LoadMap::kBins)
        return std::nullopt;
    const bool absolute =
        (advancedFlags & kAbsManifoldFlag) != 0 || (advancedFlags2 & kAbsManifoldFlag2) != 0;
    if (absolute)
        return manifoldFromRaw(std::trunc(bin * 156.0 / 72.0 + 11.0), advancedFlags,
                               advancedFlags2);
    if (bin > kLastDifferentialBin)
        return std::nullopt;
    return static_cast<double>(roundInt(101.0 - pressureFromRaw(83.0 - 3.0 * bin)));
}

std::optional<int> loadMapBinColumn(int bin, std::uint8_t advancedFlags,
                                    std::uint8_t advancedFlags2) {
    const std::optional<double> kpa = loadMapBinPressure(bin, advancedFlags, advancedFlags2);
    if (!kpa)
        return std::nullopt;
    const int column = static_cast<int>(std::trunc(*kpa)) / 2;
    if (column < 0 || column >= kChartColumnCount)
        return std::nullopt;
    return column;
}

double loadMapBinTime(const LoadMap& map, int bin) {
    if (bin < 0 || bin >= LoadMap::kBins)
        return 0.0;
    const auto i = static_cast<std::size_t>(bin);
    if (map.counts[i] == 0)
        return 0.0;
    return round2(static_cast<double>(map.sums[i]) / map.counts[i] * kLoadMapTimeStepMs);
}

} // namespace vexor

void CChartColumn::add(double value) {
    m_values.push_back(value);
    m_sum += value;
}

void CChartColumn::clear() {
    m_values.clear();
    m_sum = 0.0;
}

bool CChartColumn::isClose(double value) const {
    const double m = mean();
    return std::fabs(value - m) <= vexor::kCloseShare * m;
}

void CLoadMapColumns::clear() {
    for (CChartColumn& c : m_petrol)
        c.clear();
    for (CChartColumn& c : m_gas)
        c.clear();
}

void CLoadMapColumns::build(const LoadMap& petrol, const LoadMap& gas, std::uint8_t advancedFlags,
                            std::uint8_t advancedFlags2) {
    clear();
    for (int bin = 0; bin < LoadMap::kBins; ++bin) {
        const std::optional<int> column =
            vexor::loadMapBinColumn(bin, advancedFlags, advancedFlags2);
        if (!column)
            continue;
        const double petrolMs = vexor::loadMapBinTime(petrol, bin);
        const double gasMs = vexor::loadMapBinTime(gas, bin);
        for (int i = 0; i < vexor::kBinRepeat; ++i) {
            if (petrolMs > 0.0)
                m_petrol[static_cast<std::size_t>(*column)].add(petrolMs);
            if (gasMs > 0.0)
                m_gas[static_cast<std::size_t>(*column)].add(gasMs);
        }
    }
}

const CChartColumn& CLoadMapColumns::petrol(int column) const {
    static const CChartColumn empty;
    if (column < 0 || column >= vexor::kChartColumnCount)
        return empty;
    return m_petrol[static_cast<std::size_t>(column)];
}

const CChartColumn& CLoadMapColumns::gas(int column) const {
    static const CChartColumn empty;
    if (column < 0 || column >= vexor::kChartColumnCount)
        return empty;
    return m_gas[static_cast<std::size_t>(column)];
}

std::vector<SCloudPoint> CLoadMapColumns::cloudPoints() const {
    std::vector<SCloudPoint> points;
    const auto addColumn = [&](const CChartColumn& column, int c, bool gas) {
        if (column.count() <= kCloudMinValues)
            return;
        for (double v : column.values())
            if (column.isClose(v))
                points.push_back({v, vexor::kChartColumnKpa * c, gas});
    };
    for (int c = 0; c < vexor::kChartColumnCount; ++c) {
        addColumn(petrol(c), c, false);
        addColumn(gas(c), c, true);
    }
    return points;
}
