#include "device/Diag.h"

#include "common/Rounding.h"
#include "device/Conversions.h"

#include <algorithm>
#include <cstring>

namespace vexor {

namespace {
constexpr int kNegativeThreshold = 60000;
constexpr int kZeroWord = 65535;
} // namespace

int decodeGasCorrection(std::uint16_t word) {
    if (word > kNegativeThreshold)
        return -(kZeroWord - word);
    return word;
}

std::uint16_t encodeGasCorrection(int steps) {
    if (steps >= 0)
        return static_cast<std::uint16_t>(std::min(steps, kNegativeThreshold));
    const int lowest = -(kZeroWord - kNegativeThreshold - 1);
    return static_cast<std::uint16_t>(kZeroWord + std::max(steps, lowest));
}

} // namespace vexor

void CDiag::fromPayload(const std::uint8_t* payload, std::size_t size) {
    m_bytes.fill(0);
    if (payload == nullptr)
        return;
    std::memcpy(m_bytes.data(), payload, std::min(size, kRecordSize));
}

std::uint8_t CDiag::byteAt(std::size_t offset) const {
    return offset < kRecordSize ? m_bytes[offset] : 0;
}

void CDiag::setByte(std::size_t offset, std::uint8_t value) {
    if (offset < kRecordSize)
        m_bytes[offset] = value;
}

std::uint16_t CDiag::wordAt(std::size_t offset) const {
    if (offset + 1 >= kRecordSize)
        return 0;
    return static_cast<std::uint16_t>(m_bytes[offset] | (m_bytes[offset + 1] << 8));
}

void CDiag::setWord(std::size_t offset, std::uint16_t value) {
    if (offset + 1 >= kRecordSize)
        return;
    m_bytes[offset] = static_cast<std::uint8_t>(value & 0xFF);
    m_bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

double CDiag::rpm() const {
    return vexor::rpmFromPeriod(ignitionPeriod());
}

std::uint16_t CDiag::petrolWord(int channel) const {
    return validChannel(channel) ? wordAt(OffChannels + 4 * static_cast<std::size_t>(channel)) : 0;
}

std::uint16_t CDiag::gasCorrWord(int channel) const {
    return validChannel(channel) ? wordAt(OffChannels + 4 * static_cast<std::size_t>(channel) + 2)
                                 : 0;
}

void CDiag::setPetrolWord(int channel, std::uint16_t word) {
    if (validChannel(channel))
        setWord(OffChannels + 4 * static_cast<std::size_t>(channel), word);
}

void CDiag::setGasCorrWord(int channel, std::uint16_t word) {
    if (validChannel(channel))
        setWord(OffChannels + 4 * static_cast<std::size_t>(channel) + 2, word);
}

double CDiag::petrolMs(int channel) const {
    return vexor::round2(petrolWord(channel) * kTimeStepMs);
}

vexor::SInjectorTimes CDiag::injectorTimes(int injector) const {
    vexor::SInjectorTimes times;
    if (injector < 0 || injector >= kInjectorCount)
        return times;
    const int first = 2 * injector;
    const int second = first + 1;
    times.channel = petrolMs(second) > petrolMs(first) ? second : first;
    times.petrolMs = petrolMs(times.channel);
    times.gasMs = vexor::round2(
        times.petrolMs + vexor::decodeGasCorrection(gasCorrWord(times.channel)) * kTimeStepMs);
    return times;
}
