#include "maps/tools/LambdaBar.h"

#include "common/Rounding.h"

#include <algorithm>
#include <cmath>

namespace vexor {

int lambdaSegment(double volts, int lambdaType) {
    constexpr double b = kLambdaSegments - 1;
    double c = 0.0;
    switch (lambdaType) {
    case 1:
        c = b * volts;
        break;
    case 2:
    case 3:
        c = b * volts / 5.0;
        break;
    case 4:
    case 5:
        c = b - b * volts / 5.0;
        break;
    case 6:
        c = (volts - 0.8) * b * 10.0 / 8.0;
        break;
    default:
        break;
    }
    // Below the probe's range (a 0.8-1.6 V probe at 0.5 V, a falling probe
    // above 5 V) the leanest segment is lit rather than one left of the bar.
    if (std::isnan(c))
        return 0;
    return roundInt(std::clamp(c, 0.0, b));
}

std::uint32_t lambdaSegmentColour(int segment) {
    if (segment <= 1)
        return 0xF0F000;
    if (segment >= kLambdaSegments - 1)
        return 0xFF0000;
    return 0x00FF00;
}

} // namespace vexor

void CLambdaBarModel::setType(int lambdaType) {
    m_type = lambdaType;
    m_shown.reset();
}

std::optional<CLambdaBarModel::Repaint> CLambdaBarModel::setValue(double volts) {
    const double shown = vexor::round1(volts);
    if (m_shown && *m_shown == shown)
        return std::nullopt;
    m_shown = shown;
    Repaint repaint;
    repaint.oldSegment = m_segment;
    m_segment = vexor::lambdaSegment(volts, m_type);
    repaint.newSegment = m_segment;
    return repaint;
}
