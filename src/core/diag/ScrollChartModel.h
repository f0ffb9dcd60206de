#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>
#include <vector>

// The data and the visible window of a scrolling chart of several series
// that share one x axis and a vertical range of 0..100. The chart window
// paints what this holds and forwards its scroll bar here.
//
// While the newest data is in view the window follows it, keeping the newest
// point at nine tenths of the width. Each series keeps at most maxPoints()
// points; older ones are dropped as new ones arrive.
class CScrollChartModel {
public:
    static constexpr float kInitialWidth = 1000.0f;
    // The scroll bar's range.
    static constexpr int kScrollRange = 1000;
    static constexpr int kPenWidth = 2;
    static constexpr std::uint32_t kBackground = 0xF0F0F0; // 0x00BBGGRR
    static constexpr int kVerticalDivisions = 20;
    static constexpr int kHorizontalDivisions = 10;

    enum class Scroll { LineLeft, LineRight, PageLeft, PageRight, Track, Other };

    struct Series {
        std::uint32_t colour = 0; // 0x00BBGGRR
        int penWidth = kPenWidth;
        bool visible = true;
        std::map<float, float> points; // x -> y
    };

    struct ScrollBar {
        int position = 0;
        int page = kScrollRange;
    };

    CScrollChartModel() = default;

    void addSeries(int series, std::uint32_t colour, int penWidth = kPenWidth, bool visible = true);
    // False for an unknown series.
    bool setSeriesVisible(int series, bool visible);
    const Series* series(int series) const;
    const std::map<int, Series>& allSeries() const { return m_series; }

    // Stores y (clamped to the vertical range) at x; a point at the same x is
    // replaced. False for an unknown series.
    bool addPoint(int series, float x, float y);
    // A break at x: no value there, and the line does not join the points on
    // either side (a NaN y in the series). False for an unknown series.
    bool addGap(int series, float x);
    // Empties every series and goes back to the start of the x axis.
    void clear();
    // 0 means no limit. Returns the previous limit.
    std::size_t setMaxPoints(std::size_t limit);
    std::size_t maxPoints() const { return m_maxPoints; }

    float origin() const { return m_origin; }
    float width() const { return m_width; }
    float minX() const { return m_minX; }
    float maxX() const { return m_maxX; }
    float minY() const { return m_minY; }
    float maxY() const { return m_maxY; }

    ScrollBar scrollBar() const;
    // A scroll bar action; `trackPosition` (0..kScrollRange) for Track.
    void scroll(Scroll action, int trackPosition = 0);

    // The points of a series inside the visible window, in x order.
    std::vector<std::pair<float, float>> visiblePoints(int series) const;
    // x of the vertical grid lines inside the visible window: the multiples
    // of width / kVerticalDivisions.
    std::vector<float> gridXs() const;

    // Grows whenever the window, the data extent or the points change: the
    // chart window repaints and recomputes its scroll bar when it moved.
    unsigned viewVersion() const { return m_viewVersion; }
    unsigned dataVersion() const { return m_dataVersion; }

private:
    bool store(int series, float x, float y, bool gap);
    bool anyPoints() const;
    bool inWindow(float x) const { return x >= m_origin && x <= m_origin + m_width; }
    void trim(Series& s);
    void recomputeMinX();
    void limitOrigin();

    std::map<int, Series> m_series;
    float m_origin = 0.0f;
    float m_width = kInitialWidth;
    float m_minX = 0.0f;
    float m_maxX = kInitialWidth;
    float m_minY = 0.0f;
    float m_maxY = 100.0f;
    std::size_t m_maxPoints = 0;
    unsigned m_viewVersion = 0;
    unsigned m_dataVersion = 0;
};
