#pragma once

#include "common/Rounding.h"
#include "device/Conversions.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>

// Little helpers shared by the block codecs: little-endian fields, and value ->
// field conversions that saturate at the field's range. An out-of-range value
// (a hand-edited settings file, a stray page value) must not wrap around into
// a wildly different setting on the controller, so it is pinned to the nearest
// value the field can hold; NaN becomes 0.
namespace vexor::fields {

inline std::uint16_t getU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::int16_t getS16(const std::uint8_t* p) {
    return static_cast<std::int16_t>(getU16(p));
}

inline std::uint32_t getU32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

inline void putU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void putU32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

// Counts, while a CFieldOverflowProbe lives on this thread, the values that
// did not fit their field: NaN, or more than `slack` raw steps outside the
// range (one step by default, so that rounding noise of a value read back
// from the controller does not count; 0 finds the exact range). Encoding
// itself never depends on it.
class CFieldOverflowProbe {
public:
    explicit CFieldOverflowProbe(double slack = 1.0) : m_outer(current()), m_slack(slack) {
        current() = this;
    }
    ~CFieldOverflowProbe() { current() = m_outer; }
    CFieldOverflowProbe(const CFieldOverflowProbe&) = delete;
    CFieldOverflowProbe& operator=(const CFieldOverflowProbe&) = delete;

    int overflows() const { return m_overflows; }
    static void note() {
        if (current() != nullptr)
            ++current()->m_overflows;
    }
    static double slack() { return current() != nullptr ? current()->m_slack : 1.0; }

private:
    static CFieldOverflowProbe*& current() {
        static thread_local CFieldOverflowProbe* probe = nullptr;
        return probe;
    }
    CFieldOverflowProbe* m_outer;
    double m_slack;
    int m_overflows = 0;
};

inline double clampTo(double v, double lo, double hi) {
    if (std::isnan(v)) {
        CFieldOverflowProbe::note();
        return 0.0;
    }
    const double slack = CFieldOverflowProbe::slack();
    if (v < lo - slack || v > hi + slack)
        CFieldOverflowProbe::note();
    return std::clamp(v, lo, hi);
}

// Nearest integer (halves away from zero), saturated.
inline std::uint8_t roundByte(double v) {
    return static_cast<std::uint8_t>(roundInt(clampTo(v, 0.0, 255.0)));
}
inline std::uint16_t roundU16(double v) {
    return static_cast<std::uint16_t>(roundInt(clampTo(v, 0.0, 65535.0)));
}
inline std::int16_t roundS16(double v) {
    return static_cast<std::int16_t>(roundInt(clampTo(v, -32768.0, 32767.0)));
}

// Integer part (toward zero). A value a rounding error short of a whole
// number counts as that number: 0.1 added up eight times is
// 0.7999999999999999, and truncating ten times that would send 7 for the 0.8
// the page shows. Real fractions (2.75 s in half-second steps) still drop.
inline double truncWhole(double v) {
    const double nearest = std::round(v);
    return std::fabs(v - nearest) < 1e-9 ? nearest : std::trunc(v);
}

// Integer part, saturated.
inline std::uint8_t truncByte(double v) {
    return static_cast<std::uint8_t>(truncWhole(clampTo(v, 0.0, 255.0)));
}
inline std::int8_t truncSByte(double v) {
    return static_cast<std::int8_t>(truncWhole(clampTo(v, -128.0, 127.0)));
}

// Engine speeds travel as ignition period counts, shown in whole hundreds.
inline double rpmFromPeriodField(std::uint16_t raw) {
    return roundInt(rpmFromPeriod(raw) / 100.0) * 100.0;
}
// A speed of 0 (or less, or not finite) has no period: it would travel as 0,
// which the controller divides by.
inline std::uint16_t periodFieldFromRpm(double rpm) {
    const double period = periodFromRpm(rpm);
    if (!(rpm > 0.0) || !std::isfinite(rpm) || period < 0.5)
        CFieldOverflowProbe::note();
    return roundU16(period);
}

// Temperatures: whole degrees from the sensor table; the inverse is a table
// search, already a whole raw value in 0..255.
inline double temprField(std::uint8_t raw, int column) {
    return roundInt(temprFromRaw(raw, column));
}
inline std::uint8_t temprRaw(double tempr, int column) {
    // The table search pins any temperature to the table's ends; one beyond
    // them does not fit.
    const double first = temprFromRaw(0.0, column);
    const double last = temprFromRaw(255.0, column);
    const double slack = CFieldOverflowProbe::slack();
    if (!(tempr >= std::min(first, last) - slack && tempr <= std::max(first, last) + slack))
        CFieldOverflowProbe::note();
    return roundByte(rawFromTempr(tempr, column));
}

inline double pressureField(std::uint8_t raw) {
    return roundInt(pressureFromRaw(raw));
}
inline std::uint8_t pressureRaw(double pressure) {
    return roundByte(rawFromPressure(pressure));
}

} // namespace vexor::fields
