#pragma once

#include "maps/MapGeometry.h"
#include "maps/MapLayout.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>

// Where the engine has been on the map: the operating points of the last
// seconds as a fading trail, and how many live refreshes found the engine in
// each cell (its visits) since the page started counting. The grid draws
// both; this class only keeps them.
//
// A point's place is in cell units, fractions included: column 5.5 is the
// middle of the column "3000" (3250 RPM), row 4.0 the top of the row "6"
// (5.0 ms). The cell of a point is the live point's cell.
class CMapTrail {
public:
    using Clock = std::chrono::steady_clock;

    struct Point {
        Clock::time_point at;
        double column = 0.0;
        double row = 0.0;
    };

    static constexpr std::chrono::milliseconds kDefaultSpan{30000};
    // Visits at which a cell's heat is full: five minutes at the display
    // rate. Heat grows with the logarithm of the visits, so a cell passed
    // once still shows.
    static constexpr int kFullHeatVisits = 3000;

    void setSpan(std::chrono::milliseconds span);
    std::chrono::milliseconds span() const { return m_span; }

    // One live refresh at `at`: the point joins the trail, its cell gets a
    // visit, and points older than the span leave the trail.
    void add(Clock::time_point at, double rpm, double petrolMs, std::uint8_t corrMapFlags);
    // Drops points older than the span before `now` (the trail fades out
    // while no live data comes).
    void expire(Clock::time_point now);
    // Forgets the trail and the visits.
    void clear();

    const std::deque<Point>& points() const { return m_points; }
    // The time of the last add or expire: what the trail's fading counts from.
    Clock::time_point now() const { return m_now; }
    // 1 for a point taken now, falling to 0 for one as old as the span.
    double freshness(const Point& point, Clock::time_point now) const;

    int visits(SCellIndex cell) const;
    // Strength of the heat overlay of a cell, 0 (never visited) to 1.
    double heat(SCellIndex cell) const;

private:
    std::chrono::milliseconds m_span = kDefaultSpan;
    std::deque<Point> m_points;
    Clock::time_point m_now{};
    std::array<std::array<int, vexor::kMapColumnCount>, vexor::kMapRowCount> m_visits{};
};

namespace vexor {

// The place of an operating point in cell units (see CMapTrail), kept inside
// the map; values that are no finite number land at 0.
double mapColumnPosition(double rpm);
double mapRowPosition(double petrolMs, std::uint8_t corrMapFlags);

} // namespace vexor
