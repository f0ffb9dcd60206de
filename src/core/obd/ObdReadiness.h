#pragma once

#include <cstdint>
#include <vector>

// The car's readiness: what its answer to service 1 PID 0x01 says about the
// warning lamp, the stored codes and each emission monitor. A mechanic needs
// every supported monitor complete before an emissions test.
namespace vexor {

enum class ObdMonitorState { NotSupported, Complete, NotComplete };

struct ObdMonitor {
    const char* name; // Polish, the key of its translations
    ObdMonitorState state;
};

struct ObdReadiness {
    bool lamp = false;        // the engine warning lamp is commanded on
    int storedCodes = 0;      // confirmed codes the unit has stored
    bool compression = false; // diesel: the second monitor set applies
    // The three continuous monitors, then the eight of the engine's kind, in
    // the order of their bits.
    std::vector<ObdMonitor> monitors;

    int count(ObdMonitorState state) const;
};

// Decodes data bytes A..D of the answer.
ObdReadiness decodeReadiness(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d);

// Polish key of a state's word.
const char* obdMonitorStateText(ObdMonitorState state);

} // namespace vexor
