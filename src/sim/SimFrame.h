#pragma once

#include <cstdint>
#include <vector>

// One frame of the controller link, in either direction:
//   AA 55, length L, command, L payload bytes, 16-bit check sum (high byte first)
// where the check sum is L + command + the payload bytes + 1, modulo 65536.
class CSimFrame {
public:
    CSimFrame() = default;
    CSimFrame(uint8_t command, std::vector<uint8_t> payload)
        : m_command(command), m_payload(std::move(payload)) {}

    uint8_t command() const { return m_command; }
    void setCommand(uint8_t command) { m_command = command; }
    const std::vector<uint8_t>& payload() const { return m_payload; }
    std::vector<uint8_t>& payload() { return m_payload; }

    // Selector of a command-2 request (payload byte 0), or -1.
    int selector() const;
    // The 16-bit parameter of a command-2 request (payload bytes 2..3, low byte first).
    uint16_t parameter() const;

    // Check sum over a header and payload as they travel.
    static uint16_t checksum(uint8_t length, uint8_t command, const uint8_t* payload,
                             std::size_t count);
    uint16_t checksum() const;

    // Wire bytes. The payload is cut to 255 bytes, the most a length byte can announce.
    // corruptChecksum sends the check sum plus one, for the bad-check-sum fault.
    std::vector<uint8_t> encode(bool corruptChecksum = false) const;

private:
    uint8_t m_command = 0;
    std::vector<uint8_t> m_payload;
};
