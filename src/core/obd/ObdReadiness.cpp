#include "obd/ObdReadiness.h"

#include <algorithm>
#include <array>

namespace vexor {

namespace {

constexpr std::array<const char*, 3> kContinuous = {"Wypadanie zapłonów", "Układ paliwowy",
                                                    "Podzespoły"};
// Bit 4 of the spark set once meant the air-conditioning refrigerant and is
// reserved now, as are bits 2 and 4 of the compression set: they are left out.
constexpr std::array<const char*, 8> kSpark = {
    "Katalizator", "Podgrzewany katalizator", "Układ odparowania paliwa", "Powietrze wtórne",
    nullptr,       "Czujnik tlenu",           "Grzałka czujnika tlenu",   "Układ EGR/VVT"};
constexpr std::array<const char*, 8> kCompression = {
    "Katalizator NMHC", "Układ redukcji NOx/SCR", nullptr,        "Ciśnienie doładowania", nullptr,
    "Czujnik spalin",   "Filtr cząstek stałych",  "Układ EGR/VVT"};

ObdMonitorState state(bool supported, bool incomplete) {
    if (!supported)
        return ObdMonitorState::NotSupported;
    return incomplete ? ObdMonitorState::NotComplete : ObdMonitorState::Complete;
}

} // namespace

int ObdReadiness::count(ObdMonitorState wanted) const {
    return static_cast<int>(std::count_if(monitors.begin(), monitors.end(),
                                          [&](const ObdMonitor& m) { return m.state == wanted; }));
}

ObdReadiness decodeReadiness(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
    ObdReadiness r;
    r.lamp = (a & 0x80) != 0;
    r.storedCodes = a & 0x7F;
    r.compression = (b & 0x08) != 0;
    // B: bits 0..2 supported, bits 4..6 not complete (set = not yet run).
    for (std::size_t i = 0; i < kContinuous.size(); ++i)
        r.monitors.push_back({kContinuous[i], state((b >> i) & 1, (b >> (i + 4)) & 1)});
    // C: supported, D: not complete, one bit per monitor of the engine's set.
    const auto& set = r.compression ? kCompression : kSpark;
    for (std::size_t i = 0; i < set.size(); ++i)
        if (set[i])
            r.monitors.push_back({set[i], state((c >> i) & 1, (d >> i) & 1)});
    return r;
}

const char* obdMonitorStateText(ObdMonitorState s) {
    switch (s) {
    case ObdMonitorState::Complete:
        return "Gotowy";
    case ObdMonitorState::NotComplete:
        return "Niegotowy";
    case ObdMonitorState::NotSupported:
        break;
    }
    return "Nieobsługiwany";
}

} // namespace vexor
