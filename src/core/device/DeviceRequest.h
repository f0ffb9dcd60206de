#pragma once

#include "device/BlockIds.h"
#include "device/FrameTransport.h"

#include <array>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>

// What a reply to a controller command must look like, and how many tries the
// command gets. The defaults are the usual rule: three tries, the first intact
// acknowledge ends them.
struct SReplyRule {
    std::uint8_t command = vexor::kAckCommand;
    bool accepted = false;     // acknowledge result byte 0 must be kAckAccepted
    std::size_t minLength = 0; // a shorter payload is a failed try
    int exactLength = -1;      // any other payload length is a failed try
    // The payload must begin with this 16-bit value, low byte first (the
    // address a memory chunk is for).
    std::optional<std::uint16_t> leadingWord;
    int tries = 3;
    bool stopOnWrongReply = false;   // a reply with another command ends the tries
    bool decideOnFirstReply = false; // the first intact reply decides, whatever it holds
    std::chrono::milliseconds pauseBeforeTry{0};
};

// One controller command with its retry rule over a frame transport. Every try
// starts from a cleared transaction buffer holding the request; the reply that
// was accepted stays in the buffer for the caller to read.
class CDeviceRequest {
public:
    explicit CDeviceRequest(CFrameTransport& transport) : m_transport(transport) {}
    CDeviceRequest(const CDeviceRequest&) = delete;
    CDeviceRequest& operator=(const CDeviceRequest&) = delete;

    // True once a reply passed the rule. length: at most 255 bytes.
    bool run(std::uint8_t command, const std::uint8_t* payload, std::size_t length,
             const SReplyRule& rule);
    // A command-2 read request: selector, 0, 16-bit parameter (low byte first), 0, 0.
    bool runRead(std::uint8_t selector, std::uint16_t parameter, const SReplyRule& rule);

    // The accepted reply; meaningful only after run() returned true.
    const std::uint8_t* payload() const { return m_buffer.data(); }
    std::uint8_t length() const { return m_length; }
    std::uint8_t command() const { return m_command; }
    // Whether the last try got an intact reply, whatever it said: false when
    // its answer was lost, late or damaged, so the command may have acted
    // without anyone hearing of it.
    bool answered() const { return m_answered; }

private:
    bool passes(std::uint8_t length, std::uint8_t command, const SReplyRule& rule) const;

    CFrameTransport& m_transport;
    std::array<std::uint8_t, vexor::kTransactBufferSize> m_buffer{};
    std::uint8_t m_length = 0;
    std::uint8_t m_command = 0;
    bool m_answered = false;
};
