#include "obd/ObdSetupFields.h"

#include "obd/ObdIdentifiers.h"

namespace vexor {

namespace {

void putU32(ObdSetup& setup, std::size_t offset, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i)
        setup[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

} // namespace

ObdSetup defaultObdSetup() {
    ObdSetup setup{};
    putU32(setup, kObdSetupProtocol, kObdCan11Bit);
    putU32(setup, kObdSetupAnswer, 0x7E0);
    setup[kObdSetupLink] = kObdLinkOff;
    setup[kObdSetupSpeed] = kObdSpeed250;
    setup[kObdSetupCount] = kObdMinCount;
    return setup;
}

ObdCorr defaultObdCorr() {
    ObdCorr corr{};
    corr[kObdCorrEnable] = 0;
    corr[kObdCorrPeriod] = 10;
    corr[kObdCorrMaximum] = 15;
    corr[kObdCorrBankMask] = 0;
    return corr;
}

std::uint32_t obdSetupProtocol(const ObdSetup& setup) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value |= static_cast<std::uint32_t>(setup[kObdSetupProtocol + i]) << (8 * i);
    return value;
}

void storeObdProtocol(ObdSetup& setup, std::uint32_t protocol, std::uint8_t speedCode) {
    putU32(setup, kObdSetupProtocol, protocol);
    putU32(setup, kObdSetupAnswer, obdResponseId(protocol));
    setup[kObdSetupSpeed] = speedCode;
    raiseObdCount(setup);
}

void raiseObdCount(ObdSetup& setup) {
    if (setup[kObdSetupCount] < kObdMinCount)
        setup[kObdSetupCount] = kObdMinCount;
}

} // namespace vexor
