#include "panels/FuelGauge.h"

namespace {
std::uint8_t inverted(std::uint8_t value) {
    return static_cast<std::uint8_t>(~value);
}
} // namespace

void CFuelGauge::evaluate(std::uint8_t reading, const SMarks& marks) {
    SMarks m = marks;
    std::uint8_t r = reading;
    if (m.full < m.hgw) {
        r = inverted(r);
        m = {inverted(m.full), inverted(m.hgw), inverted(m.half), inverted(m.quarter)};
    }
    int lit = 0;
    if (r > m.full)
        lit = 3;
    else if (r > m.hgw)
        lit = 2;
    else if (r > m.half)
        lit = 1;
    // The lamps light from the bottom: with two lit, the top one is dark.
    for (int i = 0; i < 3; ++i)
        m_levels[static_cast<std::size_t>(i)] = (i >= 3 - lit) ? kLit : kDark;
    m_inReserve = lit == 0 && r <= m.quarter;
    m_reserveLit = m_inReserve ? !m_reserveLit : false;
}
