#pragma once

#include <array>
#include <cstdint>

// The fuel-level gauge of the switch panel: three level lamps and a reserve
// lamp, lit from the raw level reading and the four marks of the sensor.
// Sensors whose reading falls as the tank fills are read inverted, so the
// same comparisons serve both characteristics.
class CFuelGauge {
public:
    // Colours as 0x00BBGGRR values.
    static constexpr std::uint32_t kLit = 0x00FF00;       // green
    static constexpr std::uint32_t kDark = 0x323232;      // dark grey
    static constexpr std::uint32_t kReserveOn = 0x0000FF; // red

    struct SMarks {
        std::uint8_t full;
        std::uint8_t hgw; // three quarters
        std::uint8_t half;
        std::uint8_t quarter;
    };

    // Evaluates a reading; in the reserve the reserve lamp changes state at
    // every evaluation (it blinks with the redraws), elsewhere it is dark.
    void evaluate(std::uint8_t reading, const SMarks& marks);

    // Level lamps, top (full) first.
    const std::array<std::uint32_t, 3>& levels() const { return m_levels; }
    std::uint32_t reserve() const { return m_reserveLit ? kReserveOn : kDark; }
    bool inReserve() const { return m_inReserve; }

private:
    std::array<std::uint32_t, 3> m_levels{kDark, kDark, kDark};
    bool m_reserveLit = false;
    bool m_inReserve = false;
};
