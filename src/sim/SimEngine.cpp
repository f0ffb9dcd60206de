#include "SimEngine.h"

#include "SimBytes.h"

#include <algorithm>
#include <cmath>
#include <limits>

using vexor::sim::clampByte;

namespace {
constexpr double kPi = 3.14159265358979323846;
constexpr std::chrono::milliseconds kSamplePeriod{100}; // one load-map sample per 100 ms
constexpr int64_t kMaxSamplesPerStep = 20000;           // a long pause between requests stays cheap
constexpr double kReducerWarmRaw = 23.0;                // about 70 °C on the 2.2 kOhm sensor
constexpr double kGasWarmRaw = 58.0;                    // about 31 °C
constexpr double kReducerTau = 90.0;                    // seconds
constexpr double kGasTau = 180.0;
constexpr double kFuelPerSecond = 1.0 / 60.0; // one raw step per minute on gas
constexpr double kFuelEmpty = 90.0;

// Byte of a pressure sensor reading: (p * 0.004 + 0.04) of full scale.
double pressureRaw(double kpa) {
    return (kpa * 0.004 + 0.04) * 255.0;
}
// Byte of a voltage: 5 V full scale.
double voltRaw(double volts) {
    return volts * 255.0 / 5.0;
}
} // namespace

CSimEngine::CSimEngine(uint32_t seed) : m_random(seed) {}

uint8_t CSimEngine::clampRaw(double v) {
    return clampByte(v);
}

void CSimEngine::setLoad(double load) {
    m_load = std::clamp(load, 0.0, 1.0);
}

double CSimEngine::loadAt(double seconds) const {
    if (m_drive)
        return m_cycle.at(seconds).load;
    if (m_sweep)
        return 0.5 - 0.5 * std::cos(2.0 * kPi * seconds / 20.0);
    return m_load;
}

double CSimEngine::rpmAt(double seconds) const {
    if (m_drive)
        return m_cycle.at(seconds).rpm;
    return m_idleRpm + 2800.0 * loadAt(seconds);
}

double CSimEngine::basePetrolTime(double load, double rpm) const {
    if (!m_drive)
        return 2.4 + 9.5 * load;
    // The drive reaches every row the engine can: the cylinders fill a
    // little better at speed.
    return (1.5 + 13.5 * load) * (0.92 + 0.08 * std::clamp(rpm / 6000.0, 0.0, 1.2));
}

namespace {
// The correction (a share) the controller's map gives at a petrol time.
double mapCorrection(const uint8_t* area, double rpm, double petrolMs) {
    if (area == nullptr)
        return 0.0;
    const double t = (area[285] & 0x01) != 0 ? 2.0 * petrolMs : petrolMs;
    const int row = std::clamp(static_cast<int>(std::floor(t)) - 1, 0, 18);
    const int col = std::clamp(static_cast<int>(std::trunc(rpm / 500.0 - 1.0)), 0, 14);
    return (area[15 * row + col] - 100) / 100.0;
}
} // namespace

double CSimEngine::gasTrim(double rpm, double load, const uint8_t* mapArea) const {
    if (!m_mixture)
        return m_gasLeanFactor - 1.0;
    const double error = m_mixture->error(rpm, load);
    const double base = basePetrolTime(load, rpm);
    // The controller picks its cell by the petrol time it sees on gas, which the trims have
    // already stretched.
    const double seen = base * (1.0 + error - mapCorrection(mapArea, rpm, base));
    return error - mapCorrection(mapArea, rpm, seen);
}

double CSimEngine::petrolTimeAt(double load, double rpm, bool onGas, const uint8_t* mapArea) const {
    const double ms = basePetrolTime(load, rpm);
    return onGas ? ms * (1.0 + gasTrim(rpm, load, mapArea)) : ms;
}

double CSimEngine::load() const {
    return loadAt(seconds());
}
double CSimEngine::rpm() const {
    return rpmAt(seconds());
}
double CSimEngine::manifoldKpa() const {
    return 32.0 + 68.0 * load();
}
double CSimEngine::petrolTimeMs() const {
    return petrolTimeAt(load(), rpm(), m_onGas, nullptr);
}

double CSimEngine::lambdaVolts(int probe) const {
    if (probe == 0)
        return 0.45 + 0.38 * std::sin(2.0 * kPi * seconds() / 1.3);
    return 0.45 + 0.35 * std::sin(2.0 * kPi * seconds() / 1.7 + 1.1);
}

double CSimEngine::noise(double amplitude) {
    if (!m_noise)
        return 0.0;
    std::uniform_real_distribution<double> d(-amplitude, amplitude);
    return d(m_random);
}

uint8_t CSimEngine::manifoldRaw(double kpa, bool absoluteSensor) {
    if (absoluteSensor)
        return clampByte((kpa * 0.002421 - 0.00842) * 255.0);
    return clampByte(pressureRaw(101.0 - kpa));
}

int CSimEngine::loadMapBin(uint8_t raw, bool absoluteSensor) {
    // The reverse of the manifold byte each bin stands for: 11 + b * 156 / 72 on the
    // absolute sensors, 83 - 3b on the differential one.
    const double b = absoluteSensor ? (raw - 11.0) * 72.0 / 156.0 : (83.0 - raw) / 3.0;
    return std::clamp(static_cast<int>(std::lround(b)), 0, kLoadMapBins - 1);
}

void CSimEngine::setTimeBase(Clock::time_point now) {
    m_started = true;
    m_last = now;
}

void CSimEngine::advanceTo(Clock::time_point now, const SimEngineInputs& in) {
    if (!m_started) {
        setTimeBase(now);
        m_onGas = in.onGas;
        return;
    }
    const Clock::duration step = std::max(Clock::duration::zero(), now - m_last);
    m_last = now;
    m_elapsed += step;
    (m_onGas ? m_gasTime : m_petrolTime) += step;

    const double dt = std::chrono::duration<double>(step).count();
    m_reducerRaw = kReducerWarmRaw + (m_reducerRaw - kReducerWarmRaw) * std::exp(-dt / kReducerTau);
    m_gasTempRaw = kGasWarmRaw + (m_gasTempRaw - kGasWarmRaw) * std::exp(-dt / kGasTau);
    if (m_onGas)
        m_fuelLevel = std::max(kFuelEmpty, m_fuelLevel - dt * kFuelPerSecond);

    const int64_t due = m_elapsed / kSamplePeriod;
    m_samplesTaken = std::max(m_samplesTaken, due - kMaxSamplesPerStep);
    for (; m_samplesTaken < due; ++m_samplesTaken) {
        const double t =
            std::chrono::duration<double>(kSamplePeriod * (m_samplesTaken + 1)).count();
        const double load = loadAt(t);
        const int bin = loadMapBin(manifoldRaw(32.0 + 68.0 * load, in.absoluteManifoldSensor),
                                   in.absoluteManifoldSensor);
        addLoadSample(m_onGas, bin, petrolTimeAt(load, rpmAt(t), m_onGas, in.mapArea));
    }
    m_onGas = in.onGas;
}

void CSimEngine::addLoadSample(bool gas, int bin, double petrolMs) {
    if (bin < 0 || bin >= kLoadMapBins)
        return;
    LoadMap& map = gas ? m_gasMap : m_petrolMap;
    constexpr uint16_t kMaxCount = std::numeric_limits<uint16_t>::max();
    constexpr uint32_t kMaxSum = std::numeric_limits<uint32_t>::max();
    // A saturated bin stops collecting, so its mean stays right.
    if (map.counts[bin] == kMaxCount || map.total == kMaxCount)
        return;
    const uint32_t raw = static_cast<uint32_t>(std::lround(petrolMs / 0.004));
    if (map.sums[bin] > kMaxSum - raw)
        return;
    map.sums[bin] += raw;
    ++map.counts[bin];
    ++map.total;
}

std::vector<uint8_t> CSimEngine::loadMap(bool gas) const {
    const LoadMap& map = gas ? m_gasMap : m_petrolMap;
    std::vector<uint8_t> out;
    out.reserve(kLoadMapSize);
    for (uint32_t s : map.sums)
        vexor::sim::append32(out, s);
    for (uint16_t c : map.counts)
        vexor::sim::append16(out, c);
    vexor::sim::append16(out, map.total);
    return out;
}

void CSimEngine::clearLoadMap(bool gas) {
    (gas ? m_gasMap : m_petrolMap) = LoadMap{};
}

std::vector<uint8_t> CSimEngine::liveRecord(const SimEngineInputs& in) {
    std::vector<uint8_t> r(kLiveRecordSize, 0);
    const bool onGas = in.onGas;
    const double load = this->load();
    r[0] = onGas ? 3 : 2;
    r[1] = (!onGas && in.switchPending) ? 1 : 0;
    r[2] = reducerTemperatureRaw();
    r[3] = gasTemperatureRaw();
    r[4] = 100; // no OBD-based correction on bank 2
    r[5] = clampByte(voltRaw((13.9 + noise(0.1)) / 6.0));
    r[6] = clampByte(voltRaw(lambdaVolts(0)));
    r[7] = clampByte(voltRaw(lambdaVolts(1)));
    const double gasKpa = 100.0 - (onGas ? 6.0 * load : 0.0) + noise(1.0);
    r[8] = clampByte(pressureRaw(gasKpa));
    r[10] = manifoldRaw(manifoldKpa() + noise(0.5), in.absoluteManifoldSensor);
    const int injectors = std::min<int>(in.injectorCount, 8);
    const uint8_t all = static_cast<uint8_t>((1u << injectors) - 1u);
    r[11] = onGas ? static_cast<uint8_t>(in.injectorMask & all) : 0;
    r[14] = fuelLevel();
    r[15] = 100;
    const double speed = std::max(100.0, rpm() + noise(12.0));
    vexor::sim::put16(r.data() + 16, static_cast<uint16_t>(std::lround(4800000.0 / speed)));

    double petrolMs = petrolTimeAt(load, rpm(), onGas, in.mapArea);
    if (onGas && m_mixture)
        petrolMs *= 1.0 + noise(0.01); // the trims never hold still
    for (int i = 0; i < injectors; ++i) {
        // Cylinders differ by a few per cent, as real injectors do.
        const double ms = petrolMs * (1.0 + 0.015 * ((i % 3) - 1)) + noise(0.02);
        const auto word = static_cast<uint16_t>(std::lround(std::max(0.0, ms) / 0.025));
        uint8_t* channel = r.data() + 18 + 8 * i; // channel 2i: petrol time, then correction
        vexor::sim::put16(channel, word);
        if ((r[11] >> i) & 1)
            vexor::sim::put16(channel + 2, static_cast<uint16_t>(std::lround(word * 0.18) + 40));
    }
    return r;
}

SimObdInputs CSimEngine::obdInputs() const {
    SimObdInputs o;
    o.manifoldKpa = manifoldKpa();
    o.rpm = rpm();
    o.lambda1 = lambdaVolts(0);
    o.lambda2 = lambdaVolts(1);
    o.onGas = m_onGas;
    o.seconds = seconds();
    return o;
}
