#pragma once

#include "SimEngine.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The car's engine computer behind the controller's OBD link. It answers the forwarded
// requests (command 25 single, command 23 several PIDs) with the payload of a command-24
// reply:
//   bytes 0..1  number of entries n (low byte first)
//   then n entries of 12 bytes, the first at byte 2:
//     0..3 identifier of the answering unit, 4 bus-frame control byte, 5 service + 0x40,
//     6 PID, 7..11 data bytes A..E
//   and 4 zero bytes of padding, so the payload is 6 + 12n bytes long (seen from byte 6,
//   entry k starts at 6 + 12k with the service at +1, the PID at +2 and A..D at +3..+6).
// Service 1 answers the PIDs in supportedPidMask(); service 3 sends the stored trouble codes
// as one single frame (up to 2 codes) or a first frame (control 0x10, 2 codes in bytes 8..11)
// followed by continuation frames (control 0x21, 0x22, ..., 3 codes in bytes 5..10);
// service 4 clears them (and the freeze frame; permanent codes stay). Service 2 answers the
// freeze frame of the first stored code (frame 0 only), service 7 the pending and 0x0A the
// permanent codes (multi-frame as service 3), service 9 the VIN (PID 2) and calibration ID
// (PID 4) over several frames: a first frame 0x1L with the length, continuation frames 0x2N.
// A refused service gets the negative answer 7F, service, 11; a service-9 PID the car lacks
// gets 7F, 09, 12. The link answers only while the setup's link byte is 1 and, when a
// car bus is set, only on that bus; otherwise the reply holds no entries.
// Not thread-safe: used under the server's lock.
class CSimObd {
public:
    static constexpr std::size_t kEntrySize = 12;
    static constexpr std::size_t kMaxEntries = 20; // 6 + 12 * 20 bytes fit a frame
    // Codes the command line accepts: 20 codes take a first frame and six
    // continuation frames, well inside kMaxEntries.
    static constexpr std::size_t kMaxTroubleCodes = 20;

    CSimObd();

    std::vector<uint8_t> answer(uint8_t command, const std::vector<uint8_t>& request,
                                const std::vector<uint8_t>& setup, const SimObdInputs& engine);

    void setTroubleCodes(std::vector<uint16_t> codes) {
        m_codes = std::move(codes);
        m_frozen = true;
    }
    void setPendingCodes(std::vector<uint16_t> codes) { m_pending = std::move(codes); }
    void setPermanentCodes(std::vector<uint16_t> codes) { m_permanent = std::move(codes); }
    // An empty VIN (calibration ID) is one the car does not report.
    void setVehicleInfo(std::string vin, std::string calibrationId);
    // Data bytes B, C, D of the answer to PID 0x01 (A comes from the stored codes).
    void setReadiness(const std::array<uint8_t, 3>& bytes) { m_readiness = bytes; }
    // Services the car answers with "service not supported".
    void setRefusedServices(std::vector<uint8_t> services) { m_refused = std::move(services); }
    const std::vector<uint16_t>& troubleCodes() const { return m_codes; }
    int clearCount() const { return m_clears; }

    // Answer only when the controller's setup names this bus (protocol identifier family
    // 0x7DF / 29-bit / 0x7A0, and for CAN the speed code: 2 = 500 kbit/s, else 250).
    void setCarBus(uint32_t protocolId, uint8_t speedCode);
    // Answer on whatever bus the setup names (the default).
    void acceptAnyBus() { m_anyBus = true; }
    // The car measures air flow (PID 0x10) instead of manifold pressure (PID 0x0B).
    void setAirFlowSensor(bool on) { m_airFlow = on; }
    // OBD standard reported by PID 0x1C (6 = EOBD).
    void setStandard(uint8_t standard) { m_standard = standard; }
    // Long-term fuel trims in percent; the short-term trims swing around 0.
    void setLongTermTrims(double bank1, double bank2);

    uint32_t supportedPidMask() const;

    // "P0171" -> 0x0171, "C1234" -> 0x5234, ...; nothing for malformed text.
    static std::optional<uint16_t> parseTroubleCode(std::string_view text);
    static std::string formatTroubleCode(uint16_t code);

private:
    struct Entry {
        uint8_t control = 0;
        std::vector<uint8_t> data; // bytes 5..11 of the entry
    };
    bool busMatches(const std::vector<uint8_t>& setup) const;
    static uint32_t unitIdentifier(const std::vector<uint8_t>& setup);
    bool currentData(uint8_t pid, const SimObdInputs& engine, std::vector<uint8_t>& out) const;
    void troubleCodeFrames(std::vector<Entry>& out) const;
    // One answer of any length as bus frames: a single frame up to 7 bytes, else a first
    // frame and continuation frames.
    static void messageFrames(const std::vector<uint8_t>& message, std::vector<Entry>& out);
    bool freezeData(uint8_t pid, std::vector<uint8_t>& out) const;
    bool vehicleInfo(uint8_t pid, std::vector<uint8_t>& out) const;
    void serve(const uint8_t* data, std::size_t count, const SimObdInputs& engine,
               std::vector<Entry>& out);

    std::vector<uint16_t> m_codes;
    std::vector<uint16_t> m_pending;
    std::vector<uint16_t> m_permanent;
    std::string m_vin;
    std::string m_calibrationId;
    std::array<uint8_t, 3> m_readiness{0x07, 0x65, 0x00};
    std::vector<uint8_t> m_refused;
    bool m_frozen = true; // a freeze frame is kept for the first stored code
    int m_clears = 0;
    bool m_anyBus = true;
    uint32_t m_busProtocol = 0x7DF;
    uint8_t m_busSpeed = 2;
    bool m_airFlow = false;
    uint8_t m_standard = 6;
    double m_longTrim1 = 3.1;
    double m_longTrim2 = -2.3;
};
