#include "SimMixture.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {
constexpr double kPi = 3.14159265358979323846;
// Waves across the speed (x) and load (y) range: at most about one half
// period over the map, so neighbouring cells differ by a per cent or two.
constexpr std::array<double, 5> kX = {0.5, 0.0, 0.6, 1.0, 0.3};
constexpr std::array<double, 5> kY = {0.0, 0.7, 0.6, 0.3, 1.0};

double speedShare(double rpm) {
    return std::clamp((rpm - 800.0) / 6000.0, 0.0, 1.0);
}
} // namespace

CSimMixture::CSimMixture(std::uint32_t seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> amplitude(-1.0, 1.0);
    std::uniform_real_distribution<double> phase(0.0, 2.0 * kPi);
    for (int k = 0; k < kTerms; ++k) {
        m_amplitude[k] = amplitude(random);
        m_phase[k] = phase(random);
    }
    double largest = 0.0;
    for (int i = 0; i <= 40; ++i)
        for (int j = 0; j <= 40; ++j)
            largest = std::max(largest, std::fabs(raw(800.0 + 150.0 * i, j / 40.0)));
    m_scale = largest > 0.0 ? kLargest / largest : 0.0;
}

double CSimMixture::raw(double rpm, double load) const {
    const double x = speedShare(rpm);
    const double y = std::clamp(load, 0.0, 1.0);
    double sum = 0.0;
    for (int k = 0; k < kTerms; ++k)
        sum += m_amplitude[k] * std::cos(kPi * (kX[k] * x + kY[k] * y) + m_phase[k]);
    return sum;
}

double CSimMixture::error(double rpm, double load) const {
    return std::clamp(m_scale * raw(rpm, load), -kLargest, kLargest);
}
