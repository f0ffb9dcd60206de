#pragma once

#include "maps/LoadMapColumns.h"
#include "maps/MultiplierLine.h"

#include <array>
#include <optional>
#include <vector>

// What the calibration chart holds and how the fitter edits the line on it:
// the 20 line points as factors (point i at i + 1 ms, factor 1 + percent /
// 100), the selected point, the load-map clouds and the live marker, and the
// mapping between values and pixels. The window paints from it and feeds it
// mouse and key events; the page core turns the resulting changes into
// controller writes.
//
// Axes: time 0..21 ms across, factor 0.4..1.601 up the left, manifold
// pressure 0..160 kPa up the right. The plot leaves 45 px on the left, 10 px
// at the top and 45 px on the right and at the bottom.
class CMultiplierChart {
public:
    static constexpr double kTimeMax = 21.0;
    static constexpr double kFactorAxisMin = 0.4;
    static constexpr double kFactorAxisMax = 1.601;
    static constexpr double kPressureMax = 160.0;
    static constexpr int kMarginLeft = 45;
    static constexpr int kMarginTop = 10;
    static constexpr int kMarginRight = 45;
    static constexpr int kMarginBottom = 45;
    static constexpr double kFactorMin = 0.5;
    static constexpr double kFactorMax = 1.5;
    static constexpr double kFactorStep = 0.01;
    // A press selects a point drawn at most this far away in x and in y.
    static constexpr double kHitPixels = 5.0;
    // Area around a point to repaint when it is selected or left.
    static constexpr int kRepaintPixels = 10;

    enum class Key { Left, Right, Up, Down, PageUp, PageDown };

    // What a key or a mouse release asks the page to do.
    struct SAction {
        enum class Kind { None, Repaint, PointChanged, IncrementAll };
        Kind kind = Kind::None;
        int index = 0;       // PointChanged: the point
        double factor = 1.0; // PointChanged: its new factor
        bool up = false;     // IncrementAll: direction
    };

    CMultiplierChart();

    // Size of the whole control in pixels.
    void setSize(int width, int height);
    int width() const { return m_width; }
    int height() const { return m_height; }

    // Pixel positions. x of a time, y of a factor or a pressure, and the
    // factor at a y (not limited).
    double xOfTime(double ms) const;
    double yOfFactor(double factor) const;
    double yOfPressure(double kpa) const;
    double factorAtY(double y) const;

    // The line from percents (m_setupTimes1); the selection stays.
    void loadPoints(const vexor::LineValues& percents);
    double factor(int point) const;
    void setFactor(int point, double factor);
    // Time of point i: i + 1 ms.
    static double pointTime(int point) { return point + 1.0; }
    int selected() const { return m_selected; }

    void setCloud(std::vector<SCloudPoint> points) { m_cloud = std::move(points); }
    const std::vector<SCloudPoint>& cloud() const { return m_cloud; }
    void setLiveMarker(double ms, double kpa);
    std::optional<std::array<double, 2>> liveMarker() const { return m_marker; }

    // Left button pressed: the point drawn within kHitPixels (the nearest
    // when several are) becomes the selected one and a drag starts. True when
    // the selection changed.
    bool press(double x, double y);
    // Pointer moved: while dragging, the selected point takes the factor at
    // y, rounded to two decimals and kept to 0.5..1.5. True when it changed
    // by a step or more (repaint).
    bool drag(double x, double y);
    // Left button released: after a drag, PointChanged for the selected
    // point; otherwise nothing.
    SAction release();
    bool dragging() const { return m_dragging; }

    // Left / Right select the previous / next point (Repaint); Up / Down move
    // the selected factor by 0.01 within 0.5..1.5 (PointChanged, also at a
    // limit: the page then finds nothing to write); Page Up / Page Down ask
    // for IncrementAll.
    SAction key(Key key);

private:
    double plotLeft() const { return kMarginLeft; }
    double plotTop() const { return kMarginTop; }
    double plotRight() const { return m_width - kMarginRight; }
    double plotBottom() const { return m_height - kMarginBottom; }
    static double limitFactor(double factor);

    int m_width = 600;
    int m_height = 400;
    std::array<double, vexor::kLinePoints> m_factors{};
    int m_selected = 0;
    bool m_dragging = false;
    std::vector<SCloudPoint> m_cloud;
    std::optional<std::array<double, 2>> m_marker;
};
