#pragma once

#include <vector>

// A drive that takes the engine over the injection map's range: idle, then
// for each of a grid of operating points an acceleration to it and a stretch
// of cruise there, then back to idle. The cycle repeats; the same time always
// gives the same point, so a petrol drive and a gas drive meet the same points.
class CSimDriveCycle {
public:
    struct Point {
        double rpm = 800.0;
        double load = 0.0; // 0 idle .. 1 full load
    };

    CSimDriveCycle();

    Point at(double seconds) const;
    // One pass through every point.
    double length() const { return m_length; }

private:
    struct Segment {
        Point from;
        Point to;
        double start = 0.0;
        double ramp = 0.0;   // seconds of acceleration
        double cruise = 0.0; // then seconds at `to`
    };
    std::vector<Segment> m_segments;
    double m_length = 0.0;
};
