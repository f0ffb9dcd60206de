#pragma once

#include <array>
#include <cstdint>

// How lean (positive) or rich the car runs on gas before any map correction:
// a smooth field over engine speed and load, at most 15 % either way, drawn
// from a seed. A real car's gas mixture error is of this kind: the reducer's
// pressure, the injectors' opening and the gas's density each drift slowly
// over the operating range.
class CSimMixture {
public:
    static constexpr double kLargest = 0.15;

    explicit CSimMixture(std::uint32_t seed = 1);

    // The error as a share (0.08: 8 % lean) at an engine speed and a load 0..1.
    double error(double rpm, double load) const;

private:
    static constexpr int kTerms = 5;
    double raw(double rpm, double load) const;
    std::array<double, kTerms> m_amplitude{};
    std::array<double, kTerms> m_phase{};
    double m_scale = 1.0;
};
