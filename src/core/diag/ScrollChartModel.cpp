#include "diag/ScrollChartModel.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {
// The newest point stays at this fraction of the width while the window
// follows the data; a jump past the data adds the rest as room.
constexpr float kFollowAt = 0.9f;
constexpr float kRoomAfter = 0.1f;
constexpr float kLineStep = 0.01f;
constexpr float kPageStep = 0.5f;
} // namespace

void CScrollChartModel::addSeries(int series, std::uint32_t colour, int penWidth, bool visible) {
    Series& s = m_series[series];
    s.colour = colour;
    s.penWidth = penWidth;
    s.visible = visible;
    ++m_dataVersion;
}

bool CScrollChartModel::setSeriesVisible(int series, bool visible) {
    const auto found = m_series.find(series);
    if (found == m_series.end())
        return false;
    found->second.visible = visible;
    ++m_dataVersion;
    return true;
}

const CScrollChartModel::Series* CScrollChartModel::series(int series) const {
    const auto found = m_series.find(series);
    return found == m_series.end() ? nullptr : &found->second;
}

bool CScrollChartModel::anyPoints() const {
    for (const auto& [number, s] : m_series)
        if (!s.points.empty())
            return true;
    return false;
}

bool CScrollChartModel::addPoint(int series, float x, float y) {
    return store(series, x, y, false);
}

bool CScrollChartModel::addGap(int series, float x) {
    return store(series, x, std::numeric_limits<float>::quiet_NaN(), true);
}

bool CScrollChartModel::store(int series, float x, float y, bool gap) {
    const auto found = m_series.find(series);
    if (found == m_series.end())
        return false;
    Series& s = found->second;

    bool moved = false;
    if (anyPoints()) {
        if (!s.points.empty() && inWindow(s.points.rbegin()->first)) {
            const float follow = kFollowAt * m_width;
            if (x > m_origin + follow) {
                m_origin = x - follow;
                moved = true;
            }
            // The data extent must cover the window that follows the data,
            // or the scroll bar would point past its range and the first
            // scroll would throw the view back to the start.
            if (m_origin + m_width > m_maxX) {
                m_maxX = m_origin + m_width;
                moved = true;
            }
        } else if (x > m_maxX && x > m_width) {
            m_maxX = x + kRoomAfter * m_width;
            moved = true;
        } else if (x < m_minX) {
            m_minX = x;
            moved = true;
        }
    }

    // Every value is kept inside the vertical range, the very first one too.
    if (gap) {
        s.points[x] = y;
    } else {
        if (std::isnan(y))
            y = m_minY;
        s.points[x] = std::clamp(y, m_minY, m_maxY);
    }

    if (m_maxPoints != 0 && s.points.size() > m_maxPoints) {
        trim(s);
        recomputeMinX();
        moved = true;
    }
    if (moved)
        ++m_viewVersion;
    ++m_dataVersion;
    return true;
}

void CScrollChartModel::trim(Series& s) {
    while (s.points.size() > m_maxPoints)
        s.points.erase(s.points.begin());
}

void CScrollChartModel::recomputeMinX() {
    bool first = true;
    for (const auto& [number, s] : m_series) {
        if (s.points.empty())
            continue;
        const float x = s.points.begin()->first;
        if (first || x < m_minX)
            m_minX = x;
        first = false;
    }
}

void CScrollChartModel::clear() {
    for (auto& [number, s] : m_series)
        s.points.clear();
    m_origin = 0.0f;
    m_minX = 0.0f;
    // An empty chart spans what a new one spans; an extent left from the
    // old data would offer a scroll range over nothing.
    m_maxX = m_width;
    ++m_viewVersion;
    ++m_dataVersion;
}

std::size_t CScrollChartModel::setMaxPoints(std::size_t limit) {
    const std::size_t previous = m_maxPoints;
    m_maxPoints = limit;
    if (limit != previous && limit != 0) {
        for (auto& [number, s] : m_series)
            trim(s);
        recomputeMinX();
        ++m_viewVersion;
        ++m_dataVersion;
    }
    return previous;
}

CScrollChartModel::ScrollBar CScrollChartModel::scrollBar() const {
    ScrollBar bar;
    const float extent = m_maxX - m_minX;
    if (extent <= 0.0f)
        return bar;
    bar.position = static_cast<int>((m_origin - m_minX) / extent * kScrollRange);
    bar.page = static_cast<int>(m_width / extent * kScrollRange);
    return bar;
}

void CScrollChartModel::scroll(Scroll action, int trackPosition) {
    switch (action) {
    case Scroll::LineLeft:
        if (m_origin >= 1.0f)
            m_origin -= kLineStep * m_width;
        break;
    case Scroll::LineRight:
        m_origin += kLineStep * m_width;
        break;
    case Scroll::PageLeft:
        m_origin = std::max(0.0f, m_origin - kPageStep * m_width);
        break;
    case Scroll::PageRight:
        m_origin += kPageStep * m_width;
        break;
    case Scroll::Track:
        m_origin = m_minX + (m_maxX - m_minX) * static_cast<float>(trackPosition) / kScrollRange;
        break;
    case Scroll::Other:
        return;
    }
    limitOrigin();
    ++m_viewVersion;
}

void CScrollChartModel::limitOrigin() {
    m_origin = std::min(m_origin, m_maxX - m_width);
    m_origin = std::max(m_origin, m_minX);
}

std::vector<std::pair<float, float>> CScrollChartModel::visiblePoints(int series) const {
    std::vector<std::pair<float, float>> out;
    const Series* s = this->series(series);
    if (!s)
        return out;
    auto it = s->points.lower_bound(m_origin);
    const auto end = s->points.upper_bound(m_origin + m_width);
    for (; it != end; ++it)
        out.emplace_back(it->first, it->second);
    return out;
}

std::vector<float> CScrollChartModel::gridXs() const {
    std::vector<float> xs;
    const float step = m_width / kVerticalDivisions;
    if (step <= 0.0f)
        return xs;
    const double first = std::ceil(m_origin / step);
    const double last = std::floor((m_origin + m_width) / step);
    for (double k = first; k <= last; ++k)
        xs.push_back(static_cast<float>(k * step));
    return xs;
}
