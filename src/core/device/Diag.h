#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace vexor {

// Gas correction words count 0.025 ms steps; words above 60 000 are negative,
// w standing for -(65 535 - w), so 65 535 is 0 and 65 534 is -1.
int decodeGasCorrection(std::uint16_t word);
// The word for a correction in steps; values beyond the codable range
// (-5 534 .. 60 000) are clamped to it.
std::uint16_t encodeGasCorrection(int steps);

// Petrol and gas injection time of one gas injector, in ms, and the channel
// they were taken from.
struct SInjectorTimes {
    double petrolMs = 0.0;
    double gasMs = 0.0;
    int channel = 0;
};

} // namespace vexor

// One live record as the controller sends it (82 bytes, words low byte first)
// plus the sample number the poller gives it. A plain value type.
class CDiag {
public:
    static constexpr std::size_t kRecordSize = 82;
    static constexpr int kChannelCount = 16;
    static constexpr int kInjectorCount = 8;
    static constexpr double kTimeStepMs = 0.025;

    // Byte offsets of the record's fields.
    enum Offset : std::size_t {
        OffWorkMode = 0,
        OffModeFlag = 1,
        OffReducerTempr = 2,
        OffGasTempr = 3,
        OffObdCorrBank2 = 4,
        OffSupply = 5,
        OffLambda1 = 6,
        OffLambda2 = 7,
        OffGasPressure = 8,
        OffManifold = 10,
        OffInjectorsOnGas = 11,
        OffFuelLevel = 14,
        OffObdCorrBank1 = 15,
        OffIgnitionPeriod = 16,
        OffChannels = 18
    };

    // Copies at most 82 bytes of a reply payload; the rest of the record is
    // zero. The sample number is left as it is.
    void fromPayload(const std::uint8_t* payload, std::size_t size);

    const std::array<std::uint8_t, kRecordSize>& bytes() const { return m_bytes; }
    std::uint8_t byteAt(std::size_t offset) const;
    void setByte(std::size_t offset, std::uint8_t value);
    std::uint16_t wordAt(std::size_t offset) const;
    void setWord(std::size_t offset, std::uint16_t value);

    std::int32_t sample() const { return m_sample; }
    void setSample(std::int32_t sample) { m_sample = sample; }

    std::uint8_t workMode() const { return m_bytes[OffWorkMode]; }
    void setWorkMode(std::uint8_t mode) { m_bytes[OffWorkMode] = mode; }
    std::uint8_t modeFlag() const { return m_bytes[OffModeFlag]; }
    std::uint8_t reducerTemprRaw() const { return m_bytes[OffReducerTempr]; }
    std::uint8_t gasTemprRaw() const { return m_bytes[OffGasTempr]; }
    std::uint8_t obdCorrBank2Raw() const { return m_bytes[OffObdCorrBank2]; }
    std::uint8_t obdCorrBank1Raw() const { return m_bytes[OffObdCorrBank1]; }
    // OBD-based gas corrections in percent.
    int obdCorrBank2() const { return obdCorrBank2Raw() - 100; }
    int obdCorrBank1() const { return obdCorrBank1Raw() - 100; }
    std::uint8_t supplyRaw() const { return m_bytes[OffSupply]; }
    std::uint8_t lambda1Raw() const { return m_bytes[OffLambda1]; }
    std::uint8_t lambda2Raw() const { return m_bytes[OffLambda2]; }
    std::uint8_t gasPressureRaw() const { return m_bytes[OffGasPressure]; }
    std::uint8_t manifoldRaw() const { return m_bytes[OffManifold]; }
    // Bit i set: gas injector i+1 works.
    std::uint8_t injectorsOnGas() const { return m_bytes[OffInjectorsOnGas]; }
    std::uint8_t fuelLevel() const { return m_bytes[OffFuelLevel]; }
    std::uint16_t ignitionPeriod() const { return wordAt(OffIgnitionPeriod); }
    void setIgnitionPeriod(std::uint16_t period) { setWord(OffIgnitionPeriod, period); }
    // Engine speed in rpm; 0 while the period is 0.
    double rpm() const;

    // Channel k (0..15): petrol time word and gas correction word. Channels
    // outside the record read 0 and ignore writes.
    std::uint16_t petrolWord(int channel) const;
    std::uint16_t gasCorrWord(int channel) const;
    void setPetrolWord(int channel, std::uint16_t word);
    void setGasCorrWord(int channel, std::uint16_t word);
    double petrolMs(int channel) const;

    // Gas injector i (0..7) from channels 2i and 2i+1: the longer petrol time
    // (2i on a tie) and that channel's corrected gas time. Zeros outside 0..7.
    vexor::SInjectorTimes injectorTimes(int injector) const;

    bool operator==(const CDiag&) const = default;

private:
    static bool validChannel(int channel) { return channel >= 0 && channel < kChannelCount; }

    std::array<std::uint8_t, kRecordSize> m_bytes{};
    std::int32_t m_sample = 0;
};
