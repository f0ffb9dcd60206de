#include "SimDriveCycle.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kIdleRpm = 800.0;
constexpr double kIdleSeconds = 20.0;
constexpr double kRampSeconds = 1.5;
constexpr double kCruiseSeconds = 4.0;
// Load steps small enough that every petrol-time row of the map gets a
// stretch of cruise, not only the moments an acceleration crosses it.
constexpr int kLoadLevels = 17;
} // namespace

CSimDriveCycle::CSimDriveCycle() {
    Point last{kIdleRpm, 0.0};
    auto add = [&](Point to, double ramp, double cruise) {
        m_segments.push_back({last, to, m_length, ramp, cruise});
        m_length += ramp + cruise;
        last = to;
    };
    add({kIdleRpm, 0.0}, 0.0, kIdleSeconds);
    // Speeds across the map's columns; in each gear the load goes up and
    // down again, as a driver who accelerates and lifts off.
    for (int gear = 0; gear < 11; ++gear) {
        const double rpm = 1250.0 + 500.0 * gear;
        for (int step = 0; step < kLoadLevels; ++step) {
            const int level = gear % 2 == 0 ? step : kLoadLevels - 1 - step;
            add({rpm, 0.1 + 0.05 * level}, kRampSeconds, kCruiseSeconds);
        }
    }
    add({kIdleRpm, 0.0}, kRampSeconds * 2.0, kIdleSeconds);
}

CSimDriveCycle::Point CSimDriveCycle::at(double seconds) const {
    const double t = std::fmod(std::max(0.0, seconds), m_length);
    auto it = std::upper_bound(m_segments.begin(), m_segments.end(), t,
                               [](double v, const Segment& s) { return v < s.start; });
    const Segment& s = *std::prev(it);
    const double into = t - s.start;
    if (into >= s.ramp)
        return s.to;
    // A smooth acceleration: fast in the middle, as the pedal goes down.
    const double f = 0.5 - 0.5 * std::cos(3.14159265358979323846 * into / s.ramp);
    return {s.from.rpm + (s.to.rpm - s.from.rpm) * f, s.from.load + (s.to.load - s.from.load) * f};
}
