#pragma once

#include "SimFrame.h"
#include "SimMatch.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <optional>

// What the server does with one request, decided by CSimFaults before the controller sees it.
struct SimReplyPlan {
    bool silent = false;      // drop the request: no answer, the controller never sees it
    bool hangUp = false;      // close the line instead of answering
    bool badChecksum = false; // send the reply with its check sum plus one
    std::optional<uint8_t> replyCommand;       // replace the reply's command
    std::optional<uint16_t> statusWord;        // bytes 4..5 of a command-2 reply
    std::optional<uint8_t> ackResult;          // byte 0 of a command-2 reply (4 = accepted)
    std::optional<uint8_t> handshakeSubResult; // byte 1 of the handshake reply
    std::optional<uint16_t> liveDataWord;      // bytes 2..3 of the handshake reply
    std::optional<std::size_t> payloadLength;  // cut or zero-pad the reply payload
    std::optional<std::size_t> splitAt;        // write this many reply bytes, pause, the rest
    std::chrono::milliseconds splitPause{0};
    std::chrono::milliseconds delay{0}; // wait this long after the request before answering
    unsigned paceBaud = 0;              // 0: no pacing

    // Applies the payload-level changes to a reply the controller built for a request with
    // this command and selector.
    void applyTo(CSimFrame& reply, int requestSelector) const;
};

// Named fault modes, switched on and off by tests while the server runs. Thread-safe.
// Each fault applies to the requests its SimMatch selects; `times` limits how many matching
// requests it hits (-1: until cleared). Setting a fault again replaces the earlier setting.
class CSimFaults {
public:
    // No answer at all to matching requests.
    void setSilent(SimMatch match = {});
    // No answer to the first k matching requests from now on, then normal answers
    // ("answers only on the third try" is setSilentFirst(2)).
    void setSilentFirst(int k, SimMatch match = {});
    // No answer to every n-th matching request (n, 2n, 3n, ... counted from now).
    void setSilentEvery(int n, SimMatch match = {});

    void setBadChecksum(SimMatch match = {}, int times = -1);
    void setWrongCommand(uint8_t replyCommand, SimMatch match = {}, int times = -1);
    // Status word of command-2 replies (0x0010 is tolerated by the client, other bits fail).
    void setStatusWord(uint16_t word, SimMatch match = {}, int times = -1);
    // Byte 0 of command-2 replies; anything but 4 is a refusal.
    void setAckResult(uint8_t result, SimMatch match = {}, int times = -1);
    // Handshake reply byte 1 (13 when healthy) and bytes 2..3 (0x0055: live data available).
    void setHandshakeSubResult(uint8_t value);
    void setLiveDataWord(uint16_t word);
    // Reply payload cut or zero-padded to this length (a load map of 187 bytes, ...).
    void setReplyLength(std::size_t length, SimMatch match = {}, int times = -1);
    // The reply is written in two parts: `firstBytes` wire bytes, a pause, the rest.
    void setSplitReply(std::size_t firstBytes, std::chrono::milliseconds pause, SimMatch match = {},
                       int times = -1);
    void setReplyDelay(std::chrono::milliseconds delay, SimMatch match = {}, int times = -1);
    // Closes the line when the n-th matching request from now on arrives (1: the next one).
    void setHangUpOnRequest(int n = 1, SimMatch match = {});
    // Wire-speed pacing: a request is answered no earlier than its own wire time after its
    // first byte arrived, and reply bytes go out at 10 bit times each. 0 switches it off.
    void setPaceBaud(unsigned baud);
    unsigned paceBaud() const;

    // Switches every fault off; pacing is kept.
    void clear();

    // Decides what happens to one request and counts it against the faults it matches.
    SimReplyPlan plan(uint8_t command, int selector);

private:
    struct Rule {
        bool on = false;
        SimMatch match;
        int times = -1; // remaining hits, -1 = unlimited
        bool hit(uint8_t command, int selector);
    };
    enum class SilentMode { Off, Always, First, Every };

    mutable std::mutex m_mutex;
    SilentMode m_silentMode = SilentMode::Off;
    SimMatch m_silentMatch;
    int m_silentN = 0;
    int m_silentSeen = 0;
    Rule m_badChecksum;
    Rule m_wrongCommand;
    uint8_t m_wrongCommandValue = 0;
    Rule m_statusWord;
    uint16_t m_statusWordValue = 0;
    Rule m_ackResult;
    uint8_t m_ackResultValue = 4;
    std::optional<uint8_t> m_handshakeSubResult;
    std::optional<uint16_t> m_liveDataWord;
    Rule m_replyLength;
    std::size_t m_replyLengthValue = 0;
    Rule m_split;
    std::size_t m_splitAt = 0;
    std::chrono::milliseconds m_splitPause{0};
    Rule m_delay;
    std::chrono::milliseconds m_delayValue{0};
    Rule m_hangUp;
    int m_hangUpCountdown = 0;
    unsigned m_paceBaud = 0;
};
