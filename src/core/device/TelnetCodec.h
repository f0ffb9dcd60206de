#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

// The telnet layer of a COM-port-control link (RFC 854 framing with the
// RFC 2217 option): escapes the data we send, takes the commands out of what
// arrives, answers the far side's option requests, and keeps the far side's
// answers to our line-setting commands. Holds no socket, so every byte can be
// checked without a network.
class CTelnetCodec {
public:
    static constexpr uint8_t kIac = 255;
    static constexpr uint8_t kDont = 254;
    static constexpr uint8_t kDo = 253;
    static constexpr uint8_t kWont = 252;
    static constexpr uint8_t kWill = 251;
    static constexpr uint8_t kSb = 250;
    static constexpr uint8_t kSe = 240;

    static constexpr uint8_t kOptBinary = 0;
    static constexpr uint8_t kOptEcho = 1;
    static constexpr uint8_t kOptSuppressGoAhead = 3;
    static constexpr uint8_t kOptComPort = 44;

    // COM-port commands from the client; the server answers with 100 added.
    static constexpr uint8_t kSetBaudRate = 1;
    static constexpr uint8_t kSetDataSize = 2;
    static constexpr uint8_t kSetParity = 3;
    static constexpr uint8_t kSetStopSize = 4;
    static constexpr uint8_t kSetControl = 5;
    static constexpr uint8_t kPurgeData = 12;
    static constexpr uint8_t kServerOffset = 100;

    // Values of those commands.
    static constexpr uint8_t kParityNone = 1;
    static constexpr uint8_t kStopOne = 1;
    static constexpr uint8_t kControlNoFlow = 1;
    static constexpr uint8_t kControlDtrOff = 9;
    static constexpr uint8_t kControlRtsOff = 12;
    static constexpr uint8_t kPurgeReceive = 1;  // the server's buffer of bytes from the line
    static constexpr uint8_t kPurgeTransmit = 2; // the server's buffer of bytes for the line

    // What opens the session: we will do COM-port control, and binary
    // transmission and no go-ahead both ways (without binary mode a CR in
    // the data would be sent as CR NUL).
    std::vector<uint8_t> greeting();

    // Appends data to out with every 255 doubled.
    static void escape(const uint8_t* data, int count, std::vector<uint8_t>& out);

    // A COM-port command with its value (255 in the value doubled).
    static std::vector<uint8_t> comPortCommand(uint8_t command, const std::vector<uint8_t>& value);

    // Takes count received bytes: the data bytes go to data, the answers
    // the far side's option requests need go to reply (to be sent at once).
    void receive(const uint8_t* bytes, int count, std::deque<uint8_t>& data,
                 std::vector<uint8_t>& reply);

    // The value of the far side's last answer to command (1..12), if any.
    std::optional<std::vector<uint8_t>> answer(uint8_t command) const;
    void forgetAnswers();

    // The far side declined COM-port control (DONT on our WILL).
    bool comPortRefused() const { return m_comPortRefused; }

private:
    enum class State { Data, Iac, Verb, Sub, SubIac };

    void handleVerb(uint8_t verb, uint8_t option, std::vector<uint8_t>& reply);
    void handleSub();

    static bool weSupport(uint8_t option);
    static bool theySupport(uint8_t option);

    State m_state = State::Data;
    uint8_t m_verb = 0;
    std::vector<uint8_t> m_sub;
    // Per option: enabled on our side / theirs, and requested by us and not
    // yet answered (an answer to our own request needs no reply).
    std::array<bool, 256> m_usOn{};
    std::array<bool, 256> m_themOn{};
    std::array<bool, 256> m_usAsked{};
    std::array<bool, 256> m_themAsked{};
    std::array<std::optional<std::vector<uint8_t>>, 13> m_answers{};
    bool m_comPortRefused = false;
};
