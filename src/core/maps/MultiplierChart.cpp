#include "maps/MultiplierChart.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>

CMultiplierChart::CMultiplierChart() {
    m_factors.fill(1.0);
}

void CMultiplierChart::setSize(int width, int height) {
    m_width = width;
    m_height = height;
}

double CMultiplierChart::xOfTime(double ms) const {
    return plotLeft() + ms / kTimeMax * (plotRight() - plotLeft());
}

double CMultiplierChart::yOfFactor(double factor) const {
    return plotBottom() - (factor - kFactorAxisMin) / (kFactorAxisMax - kFactorAxisMin) *
                              (plotBottom() - plotTop());
}

double CMultiplierChart::yOfPressure(double kpa) const {
    return plotBottom() - kpa / kPressureMax * (plotBottom() - plotTop());
}

double CMultiplierChart::factorAtY(double y) const {
    const double height = plotBottom() - plotTop();
    if (height <= 0.0)
        return kFactorAxisMin;
    return kFactorAxisMin + (plotBottom() - y) / height * (kFactorAxisMax - kFactorAxisMin);
}

void CMultiplierChart::loadPoints(const vexor::LineValues& percents) {
    for (std::size_t i = 0; i < m_factors.size(); ++i)
        m_factors[i] = vexor::lineFactor(percents[i]);
}

double CMultiplierChart::factor(int point) const {
    if (point < 0 || point >= vexor::kLinePoints)
        return 1.0;
    return m_factors[static_cast<std::size_t>(point)];
}

void CMultiplierChart::setFactor(int point, double factor) {
    if (point >= 0 && point < vexor::kLinePoints)
        m_factors[static_cast<std::size_t>(point)] = limitFactor(factor);
}

void CMultiplierChart::setLiveMarker(double ms, double kpa) {
    m_marker = std::array<double, 2>{ms, kpa};
}

double CMultiplierChart::limitFactor(double factor) {
    if (std::isnan(factor))
        return 1.0;
    return std::clamp(vexor::round2(factor), kFactorMin, kFactorMax);
}

bool CMultiplierChart::press(double x, double y) {
    int hit = -1;
    double best = 0.0;
    for (int i = 0; i < vexor::kLinePoints; ++i) {
        const double dx = std::fabs(xOfTime(pointTime(i)) - x);
        const double dy = std::fabs(yOfFactor(factor(i)) - y);
        if (dx > kHitPixels || dy > kHitPixels)
            continue;
        const double distance = dx * dx + dy * dy;
        if (hit < 0 || distance < best) {
            hit = i;
            best = distance;
        }
    }
    if (hit < 0)
        return false;
    const bool changed = hit != m_selected;
    m_selected = hit;
    m_dragging = true;
    return changed;
}

bool CMultiplierChart::drag(double, double y) {
    if (!m_dragging)
        return false;
    double& f = m_factors[static_cast<std::size_t>(m_selected)];
    const double next = limitFactor(factorAtY(y));
    const bool changed = std::fabs(next - f) >= kFactorStep / 2.0;
    f = next;
    return changed;
}

CMultiplierChart::SAction CMultiplierChart::release() {
    SAction action;
    if (!m_dragging)
        return action;
    m_dragging = false;
    action.kind = SAction::Kind::PointChanged;
    action.index = m_selected;
    action.factor = factor(m_selected);
    return action;
}

CMultiplierChart::SAction CMultiplierChart::key(Key key) {
    SAction action;
    switch (key) {
    case Key::Left:
    case Key::Right: {
        const int next =
            std::clamp(m_selected + (key == Key::Left ? -1 : 1), 0, vexor::kLinePoints - 1);
        if (next != m_selected) {
            m_selected = next;
            action.kind = SAction::Kind::Repaint;
        }
        return action;
    }
    case Key::Up:
    case Key::Down: {
        const double step = key == Key::Up ? kFactorStep : -kFactorStep;
        setFactor(m_selected, factor(m_selected) + step);
        action.kind = SAction::Kind::PointChanged;
        action.index = m_selected;
        action.factor = factor(m_selected);
        return action;
    }
    case Key::PageUp:
    case Key::PageDown:
        action.kind = SAction::Kind::IncrementAll;
        action.up = key == Key::PageUp;
        return action;
    }
    return action;
}
