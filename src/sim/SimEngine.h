#pragma once

#include "SimDriveCycle.h"
#include "SimMixture.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <random>
#include <vector>

// What the engine model needs from the controller for one step.
struct SimEngineInputs {
    bool onGas = false;         // the controller runs the engine on gas
    bool switchPending = false; // a switch to gas is under way (live record byte 1)
    // Manifold sensor variant: true for the absolute sensors (400 / 250 kPa), false for the
    // differential one. It decides how the manifold pressure is coded and binned.
    bool absoluteManifoldSensor = true;
    uint8_t injectorCount = 4;
    uint8_t injectorMask = 0xFF; // gas injectors allowed to work
    // The controller's injection map area (285 cells of value + 100, then the flags byte),
    // which corrects the gas mixture when a hidden mixture error is set.
    const uint8_t* mapArea = nullptr;
};

// Values the engine computer (CSimObd) reports about the running engine.
struct SimObdInputs {
    double manifoldKpa = 35.0;
    double rpm = 800.0;
    double lambda1 = 0.45; // volts, upstream sensors of bank 1 and 2
    double lambda2 = 0.45;
    bool onGas = false;
    double seconds = 0.0; // simulated running time
};

// A small model of a running engine: idle around 800 rpm with light noise (or a load the
// test sets, or a slow load sweep), injection times that follow the load, gas and manifold
// pressure, reducer and gas temperatures warming up, oscillating lambda voltages and a fuel
// level that falls while running on gas. It collects the petrol and gas load maps (sums of
// petrol injection times per manifold-pressure bin) from the running time on each fuel.
// Not thread-safe: the controller that owns it is used under the server's lock.
class CSimEngine {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr std::size_t kLiveRecordSize = 82;
    static constexpr std::size_t kLoadMapSize = 188;
    static constexpr int kLoadMapBins = 31;

    explicit CSimEngine(uint32_t seed = 1);

    // Runs the model up to `now`; the first call only sets the start of simulated time.
    void advanceTo(Clock::time_point now, const SimEngineInputs& in);
    // Starts simulated time afresh at `now` (after a change of clock), keeping the state.
    void setTimeBase(Clock::time_point now);
    // The 82-byte live record at the current time, with fresh noise.
    std::vector<uint8_t> liveRecord(const SimEngineInputs& in);
    // The 188-byte collected load map: 31 u32 sums (0.004 ms units), 31 u16 counts, u16 total.
    std::vector<uint8_t> loadMap(bool gas) const;
    void clearLoadMap(bool gas);
    // Adds one sample of `petrolMs` to a load map bin directly (tests, scripted drives).
    void addLoadSample(bool gas, int bin, double petrolMs);

    // Operating point. The load is 0 (idle) .. 1 (full load).
    void setIdleRpm(double rpm) { m_idleRpm = rpm; }
    void setLoad(double load);
    // A drive: the load sweeps from 0 to 1 and back every 20 s of simulated time.
    void setLoadSweep(bool on) { m_sweep = on; }
    // A drive over the whole map (see CSimDriveCycle): engine speed and load follow it.
    void setDriveCycle(bool on) { m_drive = on; }
    bool driveCycle() const { return m_drive; }
    const CSimDriveCycle& cycle() const { return m_cycle; }
    // A hidden mixture error of the car on gas drawn from the seed. The car's computer then
    // stretches the petrol time on gas by that error minus the correction the controller's map
    // gives at that point, as its fuel trims would, with a per cent of noise; the lean factor
    // no longer applies.
    void setMixtureSeed(uint32_t seed) { m_mixture.emplace(seed); }
    const std::optional<CSimMixture>& mixture() const { return m_mixture; }
    // What the fuel trims still make up on gas at a point: the hidden error less the map's
    // correction where the controller works then (the lean factor less 1 without a mixture).
    double gasTrim(double rpm, double load, const uint8_t* mapArea) const;
    // The petrol time the car's computer commands on petrol at a point.
    double basePetrolTimeAt(double load, double rpm) const { return basePetrolTime(load, rpm); }
    // Noise on speed, pressures and supply voltage; off gives repeatable records.
    void setNoise(bool on) { m_noise = on; }
    // How much longer the car's control unit injects petrol while the engine runs on gas
    // (1.06: 6 % more, a lean gas mixture the calibration should find).
    void setGasLeanFactor(double factor) { m_gasLeanFactor = factor; }
    void setReducerTemperatureRaw(uint8_t raw) { m_reducerRaw = raw; }
    void setGasTemperatureRaw(uint8_t raw) { m_gasTempRaw = raw; }
    void setFuelLevel(uint8_t raw) { m_fuelLevel = raw; }

    double load() const;
    double rpm() const;
    double manifoldKpa() const;
    double petrolTimeMs() const; // as the car's control unit commands it now
    double lambdaVolts(int probe) const;
    double seconds() const { return std::chrono::duration<double>(m_elapsed).count(); }
    // Running time on each fuel.
    Clock::duration petrolTime() const { return m_petrolTime; }
    Clock::duration gasTime() const { return m_gasTime; }
    uint8_t reducerTemperatureRaw() const { return clampRaw(m_reducerRaw); }
    uint8_t gasTemperatureRaw() const { return clampRaw(m_gasTempRaw); }
    uint8_t fuelLevel() const { return clampRaw(m_fuelLevel); }
    SimObdInputs obdInputs() const;

    // Manifold pressure byte for a sensor variant, and the load-map bin of such a byte.
    static uint8_t manifoldRaw(double kpa, bool absoluteSensor);
    static int loadMapBin(uint8_t manifoldRaw, bool absoluteSensor);

private:
    struct LoadMap {
        std::array<uint32_t, kLoadMapBins> sums{};
        std::array<uint16_t, kLoadMapBins> counts{};
        uint16_t total = 0;
    };
    static uint8_t clampRaw(double v);
    double loadAt(double seconds) const;
    double rpmAt(double seconds) const;
    // As the car's computer would command it on petrol.
    double basePetrolTime(double load, double rpm) const;
    double petrolTimeAt(double load, double rpm, bool onGas, const uint8_t* mapArea) const;
    double noise(double amplitude);

    std::mt19937 m_random;
    bool m_started = false;
    Clock::time_point m_last{};
    Clock::duration m_elapsed{};
    Clock::duration m_petrolTime{};
    Clock::duration m_gasTime{};
    int64_t m_samplesTaken = 0; // load-map samples drawn from m_elapsed so far
    bool m_onGas = false;

    double m_idleRpm = 800.0;
    double m_load = 0.0;
    bool m_sweep = false;
    bool m_drive = false;
    CSimDriveCycle m_cycle;
    std::optional<CSimMixture> m_mixture;
    bool m_noise = true;
    double m_gasLeanFactor = 1.06;
    double m_reducerRaw = 82.0; // about 20 °C on the 2.2 kOhm sensor
    double m_gasTempRaw = 84.0;
    double m_fuelLevel = 124.0;
    LoadMap m_petrolMap;
    LoadMap m_gasMap;
};
