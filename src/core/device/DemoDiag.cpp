#include "device/DemoDiag.h"

#include "common/Rounding.h"
#include "device/Conversions.h"
#include "device/Diag.h"
#include "device/DiagData.h"
#include "threads/MutexGuard.h"

#include <array>
#include <thread>

namespace {

std::uint8_t truncByte(double value) {
    if (!(value > 0.0))
        return 0;
    return value >= 255.0 ? 255 : static_cast<std::uint8_t>(value);
}

std::uint16_t truncWord(double value) {
    if (!(value > 0.0))
        return 0;
    return value >= 65535.0 ? 65535 : static_cast<std::uint16_t>(value);
}

// Offsets of each gas injector's petrol time from the base time, so the
// cylinders do not all show the same value.
constexpr std::array<double, CDiag::kInjectorCount> kPetrolOffsets = {1, -2, -1, 1, 2, 3, 2, 1};
constexpr std::uint16_t kGasCorrection = 80; // +2 ms

} // namespace

CDemoDiag::CDemoDiag(std::chrono::milliseconds pause) : m_pause(pause) {}

std::int32_t CDemoDiag::nextSample() const {
    CMutexGuard guard(m_mutex);
    return m_sample;
}

void CDemoDiag::read(CDiag& out, CDiagData& history, int gasColumn, int reducerColumn) {
    bool first = false;
    {
        CMutexGuard guard(m_mutex);
        first = m_sample == 1;
        fill(out, gasColumn, reducerColumn);
        // Wraps instead of overflowing after years of running.
        m_sample = static_cast<std::int32_t>(static_cast<std::uint32_t>(m_sample) + 1u);
        turnSteps();
        m_basePetrol = (vexor::rawFromPressure(101) - m_manifold) * 6.0;
        if (fuelState() == kGas)
            m_basePetrol = vexor::roundInt(0.9 * m_basePetrol);
        advance();
    }
    // Outside our own lock: the history has its lock and no code holds two.
    if (first)
        history.clear();
    if (m_pause.count() > 0)
        std::this_thread::sleep_for(m_pause);
}

void CDemoDiag::fill(CDiag& out, int gasColumn, int reducerColumn) const {
    const std::uint8_t fuel = fuelState();
    out = CDiag();
    out.setSample(m_sample);
    out.setWorkMode(fuel);
    const std::uint8_t onGas = fuel == kGas ? 0xFF : 0x00;
    out.setByte(CDiag::OffInjectorsOnGas, onGas);
    out.setByte(12, onGas);
    out.setByte(CDiag::OffGasPressure, truncByte(m_gasPressure));
    out.setByte(CDiag::OffManifold, truncByte(m_manifold));
    out.setByte(9, 110);
    out.setByte(CDiag::OffGasTempr, truncByte(vexor::rawFromTempr(50, gasColumn)));
    out.setByte(CDiag::OffReducerTempr, truncByte(vexor::rawFromTempr(70, reducerColumn)));
    out.setByte(CDiag::OffSupply, truncByte(vexor::rawFromSupply(14.4)));
    out.setByte(CDiag::OffLambda1, truncByte(m_lambda));
    out.setByte(CDiag::OffLambda2, truncByte(50 - m_lambda));
    out.setByte(CDiag::OffFuelLevel, 12);
    out.setByte(CDiag::OffObdCorrBank1, 101);
    out.setByte(CDiag::OffObdCorrBank2, 101);
    out.setIgnitionPeriod(truncWord(m_period));
    for (int injector = 0; injector < CDiag::kInjectorCount; ++injector) {
        const auto offset = kPetrolOffsets[static_cast<std::size_t>(injector)];
        out.setPetrolWord(2 * injector, truncWord(m_basePetrol + offset));
        out.setGasCorrWord(2 * injector, kGasCorrection);
    }
}

void CDemoDiag::turnSteps() {
    if (m_lambda == 50)
        m_lambdaStep = -1;
    else if (m_lambda == 0)
        m_lambdaStep = 1;
    if (m_period == 5100)
        m_periodStep = -1;
    else if (m_period == 5000)
        m_periodStep = 1;
    if (m_gasPressure >= 120.0)
        m_gasPressureStep = -1.0;
    else if (m_gasPressure <= 90.0)
        m_gasPressureStep = 1.0;
    if (m_manifold >= 100.0)
        m_manifoldStep = -0.1;
    else if (m_manifold <= 20.0)
        m_manifoldStep = 0.1;
}

void CDemoDiag::advance() {
    m_period += m_periodStep;
    m_gasPressure += m_gasPressureStep;
    m_lambda += m_lambdaStep;
    m_manifold += m_manifoldStep;
}
