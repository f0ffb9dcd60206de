#include "maps/MultiplierLine.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace vexor {

namespace {

double clampLine(double value) {
    if (std::isnan(value))
        return 0.0;
    return std::clamp(value, kLineMin, kLineMax);
}

} // namespace

double lineColumnAverage(const CChartColumn& column) {
    if (column.count() <= kLineMinColumnValues)
        return 0.0;
    double sum = 0.0;
    int n = 0;
    for (double v : column.values()) {
        if (column.isClose(v)) {
            sum += v;
            ++n;
        }
    }
    return n > 0 ? sum / n : 0.0;
}

LineValues lineBandCorrections(const CLoadMapColumns& columns) {
    std::array<std::vector<double>, kLinePoints> lists;
    for (int c = 0; c < kChartColumnCount; ++c) {
        const double petrol = lineColumnAverage(columns.petrol(c));
        const double gas = lineColumnAverage(columns.gas(c));
        if (petrol <= 0.0 || gas <= 0.0)
            continue;
        const double difference = (gas - petrol) * 100.0 / petrol;
        const int band = static_cast<int>(std::clamp(std::floor(petrol), 0.0, kLinePoints - 1.0));
        lists[static_cast<std::size_t>(band)].push_back(difference);
    }
    LineValues bands{};
    for (std::size_t k = 0; k < lists.size(); ++k) {
        if (lists[k].empty())
            continue;
        double sum = 0.0;
        for (double d : lists[k])
            sum += d;
        bands[k] = clampLine(sum / static_cast<double>(lists[k].size()));
    }
    return bands;
}

LineValues fillLineBands(const LineValues& bands) {
    // The edges of the measured range: its lowest and its highest band.
    int lo = -1;
    int hi = -1;
    for (int k = 0; k < kLinePoints; ++k) {
        if (bands[static_cast<std::size_t>(k)] != 0.0) {
            if (lo < 0)
                lo = k;
            hi = k;
        }
    }
    if (lo < 0)
        return bands;
    LineValues out = bands;
    // Gaps and everything below the range take the next value above them.
    double above = 0.0;
    for (int k = kLinePoints - 1; k >= 0; --k) {
        const auto i = static_cast<std::size_t>(k);
        if (bands[i] != 0.0)
            above = bands[i];
        else
            out[i] = above;
    }
    // Everything above the range takes its top value.
    for (int k = hi + 1; k < kLinePoints; ++k)
        out[static_cast<std::size_t>(k)] = bands[static_cast<std::size_t>(hi)];
    return out;
}

LineValues smoothLineBands(const LineValues& e) {
    LineValues s = e;
    for (std::size_t k = 1; k + 1 < e.size(); ++k)
        s[k] = (e[k - 1] + e[k] + e[k + 1]) / 3.0;
    return s;
}

LineValues computeLineCorrections(const CLoadMapColumns& columns) {
    return smoothLineBands(fillLineBands(lineBandCorrections(columns)));
}

void addLineCorrections(DeviceSettings& settings, const LineValues& corrections) {
    for (std::size_t k = 0; k < corrections.size(); ++k)
        settings.m_setupTimes1[k] = clampLine(settings.m_setupTimes1[k] + roundInt(corrections[k]));
    settings.m_tableMask = 0;
}

void incrementLine(DeviceSettings& settings, bool up) {
    for (double& point : settings.m_setupTimes1)
        point = clampLine(point + (up ? 1.0 : -1.0));
    settings.m_tableMask = 0;
}

void clearLine(DeviceSettings& settings) {
    settings.m_setupTimes1.fill(0.0);
    settings.m_setupTimes2.fill(0.0);
    settings.m_tableMask = 0;
}

double lineFactor(double percent) {
    return 1.0 + percent / 100.0;
}

int linePercent(double factor) {
    return roundInt((factor - 1.0) * 100.0);
}

} // namespace vexor
