#include "obd/ObdFreezeFrame.h"

#include "obd/ObdValues.h"

namespace vexor {

const std::vector<std::uint8_t>& obdFreezePids() {
    static const std::vector<std::uint8_t> pids = {kPidEngineSpeed, kPidVehicleSpeed, kPidCoolant,
                                                   kPidEngineLoad,  kPidShortTrim1,   kPidLongTrim1,
                                                   kPidShortTrim2,  kPidLongTrim2,    kPidManifold,
                                                   kPidAirFlow,     kPidFuelSystem};
    return pids;
}

const char* obdPidName(std::uint8_t pid) {
    switch (pid) {
    case kPidFreezeCode:
        return "Kod błędu ramki";
    case kPidFuelSystem:
        return "Stan układu paliwowego";
    case kPidEngineLoad:
        return "Obciążenie silnika";
    case kPidCoolant:
        return "Temperatura cieczy chłodzącej";
    case kPidShortTrim1:
        return "Korekta krótkoterminowa bank 1";
    case kPidLongTrim1:
        return "Korekta długoterminowa bank 1";
    case kPidShortTrim2:
        return "Korekta krótkoterminowa bank 2";
    case kPidLongTrim2:
        return "Korekta długoterminowa bank 2";
    case kPidManifold:
        return "Podciśnienie";
    case kPidEngineSpeed:
        return "Obroty silnika";
    case kPidVehicleSpeed:
        return "Prędkość pojazdu";
    case kPidAirFlow:
        return "Przepływ powietrza";
    default:
        return "";
    }
}

const char* obdPidUnit(std::uint8_t pid) {
    switch (pid) {
    case kPidEngineLoad:
    case kPidShortTrim1:
    case kPidLongTrim1:
    case kPidShortTrim2:
    case kPidLongTrim2:
        return "%";
    case kPidCoolant:
        return "°C";
    case kPidManifold:
        return "kPa";
    case kPidEngineSpeed:
        return "obr/min";
    case kPidVehicleSpeed:
        return "km/h";
    case kPidAirFlow:
        return "g/s";
    default:
        return "";
    }
}

const char* obdFuelSystemText(std::uint8_t a) {
    switch (a) {
    case 0x01:
        return "Pętla otwarta, silnik zimny";
    case 0x02:
        return "Pętla zamknięta";
    case 0x04:
        return "Pętla otwarta, obciążenie lub hamowanie silnikiem";
    case 0x08:
        return "Pętla otwarta, usterka układu";
    case 0x10:
        return "Pętla zamknięta, usterka czujnika tlenu";
    default:
        return nullptr;
    }
}

bool obdFreezeData(const ObdMessage& message, std::uint8_t pid, std::vector<std::uint8_t>& data) {
    // 0x42, PID, frame number, data.
    const auto& b = message.bytes;
    if (b.size() < 4 || !obdAnswers(message, kObdFreezeFrame) || b[1] != pid || b[2] != 0)
        return false;
    data.assign(b.begin() + 3, b.end());
    return true;
}

std::string obdFreezeValueText(std::uint8_t pid, const std::vector<std::uint8_t>& data) {
    if (data.empty())
        return {};
    const std::uint8_t a = data[0];
    const std::uint8_t b = data.size() > 1 ? data[1] : 0;
    const bool twoBytes = pid == kPidEngineSpeed || pid == kPidAirFlow;
    if (twoBytes && data.size() < 2)
        return {};
    if (pid == kPidFuelSystem) {
        const char* text = obdFuelSystemText(a);
        return text ? text : std::to_string(a);
    }
    return obdValueText(pid, a, b);
}

} // namespace vexor
