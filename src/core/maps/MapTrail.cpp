#include "maps/MapTrail.h"

#include "maps/LivePoint.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace vexor {

namespace {

// Keeps a position inside [0, count): the last cell's far edge belongs to
// nobody, so a point there is drawn just inside it.
double position(double value, int count) {
    if (!std::isfinite(value))
        return 0.0;
    return std::clamp(value, 0.0, std::nextafter(static_cast<double>(count), 0.0));
}

} // namespace

double mapColumnPosition(double rpm) {
    return position(rpm / 500.0 - 1.0, kMapColumnCount);
}

double mapRowPosition(double petrolMs, std::uint8_t corrMapFlags) {
    const double t = (corrMapFlags & kCorrMapHalfMs) != 0 ? 2.0 * petrolMs : petrolMs;
    return position(t - 1.0, kMapRowCount);
}

} // namespace vexor

void CMapTrail::setSpan(std::chrono::milliseconds span) {
    m_span = std::max(span, std::chrono::milliseconds(1));
}

void CMapTrail::add(Clock::time_point at, double rpm, double petrolMs, std::uint8_t corrMapFlags) {
    m_points.push_back(
        {at, vexor::mapColumnPosition(rpm), vexor::mapRowPosition(petrolMs, corrMapFlags)});
    const SCellIndex cell = vexor::mapCellFor(rpm, petrolMs, corrMapFlags);
    int& count = m_visits[cell.row][cell.column];
    if (count < INT_MAX)
        ++count;
    expire(at);
}

void CMapTrail::expire(Clock::time_point now) {
    m_now = now;
    while (!m_points.empty() && now - m_points.front().at > m_span)
        m_points.pop_front();
}

void CMapTrail::clear() {
    m_points.clear();
    m_visits = {};
}

double CMapTrail::freshness(const Point& point, Clock::time_point now) const {
    const double age = std::chrono::duration<double, std::milli>(now - point.at).count();
    return std::clamp(1.0 - age / static_cast<double>(m_span.count()), 0.0, 1.0);
}

int CMapTrail::visits(SCellIndex cell) const {
    if (cell.row < 0 || cell.row >= vexor::kMapRowCount || cell.column < 0 ||
        cell.column >= vexor::kMapColumnCount)
        return 0;
    return m_visits[cell.row][cell.column];
}

double CMapTrail::heat(SCellIndex cell) const {
    const int n = visits(cell);
    if (n <= 0)
        return 0.0;
    return std::min(1.0, std::log1p(n) / std::log1p(kFullHeatVisits));
}
