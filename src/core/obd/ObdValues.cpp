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
    case kPidVehicleSpeed:
        return a;
    case kPidEngineLoad:
        return a * 100.0 / 255.0;
    case kPidCoolant:
        return a - 40.0;
    case kPidEngineSpeed:
        return (a * 256.0 + b) / 4.0;
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
    int decimals = 2;
    if (pid == kPidManifold || pid == kPidVehicleSpeed || pid == kPidCoolant ||
        pid == kPidEngineSpeed)
        decimals = 0;
    else if (pid == kPidEngineLoad)
        decimals = 1;
    return fixedText(obdValue(pid, a, b), decimals);
}

std::string obdStandardName(std::uint8_t a) {
    // Indexed by the answer byte; the values the standard keeps in reserve
    // have no name and show nothing.
    static const std::array<const char*, 34> names = {
        "",
        "OBD II (California ARB)",
        "OBD (Federal EPA)",
        "OBD and OBD II",
        "OBD I",
        "No OBD",
        "OBD Europe (EOBD)",
        "EOBD and OBD II",
        "EOBD and OBD",
        "EOBD, OBD and OBD II",
        "JOBD (Japan)",
        "JOBD and OBD II",
        "JOBD and EOBD",
        "JOBD, EOBD and OBD II",
        "",
        "",
        "",
        "Engine manufacturer diagnostics (EMD)",
        "Engine manufacturer diagnostics enhanced (EMD+)",
        "Heavy duty OBD, child or partial (HD OBD-C)",
        "Heavy duty OBD (HD OBD)",
        "World wide harmonised OBD (WWH OBD)",
        "",
        "Heavy duty Euro OBD stage I without NOx control (HD EOBD-I)",
        "Heavy duty Euro OBD stage I with NOx control (HD EOBD-I N)",
        "Heavy duty Euro OBD stage II without NOx control (HD EOBD-II)",
        "Heavy duty Euro OBD stage II with NOx control (HD EOBD-II N)",
        "",
        "Brazil OBD phase 1 (OBDBr-1)",
        "Brazil OBD phase 2 (OBDBr-2)",
        "Korean OBD (KOBD)",
        "India OBD I (IOBD I)",
        "India OBD II (IOBD II)",
        "Heavy duty Euro OBD stage VI (HD EOBD-IV)"};
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
