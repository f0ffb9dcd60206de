#include "obd/ObdValues.h"

#include "diag/FixedText.h"
#include "obd/ObdIdentifiers.h"

#include <array>

namespace vexor {

std::uint32_t obdPidBit(std::uint8_t pid) {
    if (pid < 1 || pid > 32)
        return 0;
    return 0x80000000u >> (pid - 1);
}

double obdValue(std::uint8_t pid, std::uint8_t a, std::uint8_t b) {
    switch (pid) {
    case kPidManifold:
        return a;
    case kPidAirFlow:
        return (a * 256.0 + b) / 100.0;
    case kPidShortTrim1:
    case kPidLongTrim1:
    case kPidShortTrim2:
    case kPidLongTrim2:
        return a * 100.0 / 128.0 - 100.0;
    case kPidOxygenB1S1:
    case kPidOxygenB1S2:
    case kPidOxygenB2S1:
    case kPidOxygenB2S2:
        return a * 0.005;
    default:
        return a;
    }
}

std::string obdValueText(std::uint8_t pid, std::uint8_t a, std::uint8_t b) {
    return fixedText(obdValue(pid, a, b), pid == kPidManifold ? 0 : 2);
}

std::string obdStandardName(std::uint8_t a) {
    static const std::array<const char*, 7> names = {
        "",       "OBD II (California ARB)", "OBD (Federal EPA)", "OBD and OBD II", "OBD I",
        "No OBD", "OBD Europe (EOBD)"};
    return a < names.size() ? names[a] : "";
}

std::string obdProtocolText(std::uint32_t protocol, std::uint8_t speedCode) {
    if (obdBus(protocol) == ObdBus::KLine)
        return "ISO9141/KWP2000";
    std::string text = obdBus(protocol) == ObdBus::Can29Bit ? "CAN 29-bit " : "CAN 11-bit ";
    text += speedCode == kObdSpeed500 ? "500kb/s" : "250kb/s";
    return text;
}

} // namespace vexor
