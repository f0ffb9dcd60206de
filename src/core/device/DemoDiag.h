#pragma once

#include "threads/Mutex.h"

#include <atomic>
#include <chrono>
#include <cstdint>

class CDiag;
class CDiagData;

// Fabricates live records while no controller is attached: pressures, lambda
// and engine period sweep back and forth, the petrol times follow the manifold
// pressure, and the work mode follows the fuel the user last chose. The state
// lives as long as the device object; the live read and the fuel switches may
// use it from different threads.
class CDemoDiag {
public:
    static constexpr std::uint8_t kPetrol = 2;
    static constexpr std::uint8_t kGas = 3;
    static constexpr std::chrono::milliseconds kDefaultPause{50};

    // pause: how long each read takes, as a real exchange would.
    explicit CDemoDiag(std::chrono::milliseconds pause = kDefaultPause);
    CDemoDiag(const CDemoDiag&) = delete;
    CDemoDiag& operator=(const CDemoDiag&) = delete;

    // Set by the fuel switches: 2 petrol, 3 gas.
    void setFuelState(std::uint8_t state) { m_fuelState = state; }
    std::uint8_t fuelState() const { return m_fuelState; }
    // The sample number the next record will carry.
    std::int32_t nextSample() const;

    // Fills out with the next record (the very first one also empties the
    // history) and waits the pause. Temperatures are coded for the given
    // sensor columns of the gas and the reducer sensor.
    void read(CDiag& out, CDiagData& history, int gasColumn, int reducerColumn);

private:
    void fill(CDiag& out, int gasColumn, int reducerColumn) const;
    void turnSteps();
    void advance();

    std::chrono::milliseconds m_pause;
    std::atomic<std::uint8_t> m_fuelState{kPetrol};

    mutable CMutex m_mutex; // guards everything below
    std::int32_t m_sample = 1;
    double m_basePetrol = 123.0; // raw petrol time the channels vary around
    double m_gasPressure = 110.0;
    double m_gasPressureStep = 1.0;
    double m_manifold = 50.0;
    double m_manifoldStep = 0.1;
    int m_lambda = 1;
    int m_lambdaStep = 1;
    int m_period = 5000;
    int m_periodStep = 1;
};
