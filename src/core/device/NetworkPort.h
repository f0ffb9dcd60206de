#pragma once

#include "common/IError.h"
#include "device/ControllerLine.h"
#include "device/ISerialPort.h"
#include "device/RSError.h"
#include "device/TelnetCodec.h"
#include "platform/NetworkPortName.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

// A port of the table that is a serial adapter on another machine, reached
// over TCP: either a raw byte stream (the far side keeps its own line
// settings) or telnet with COM-port control, through which configure() sets
// 38400 8N1 on the far side. To the frame layer it is a serial port like any
// other: the same read and write budgets, a closed connection is a hang-up.
//
// The link's round trip is added to every read budget, so a slow network is
// not taken for a silent controller. It is the largest of: the far side's
// answer time to the line settings, the kernel's smoothed TCP round trip,
// and the quickest of the last replies (time from the end of a request to
// its first byte), which also sees a tunnel or relay the kernel cannot. A
// reply that comes too late for its read still counts when it is thrown
// away before the next request: on a link slower than the budget the retry
// then waits long enough.
class CNetworkPort : public ISerialPort, public IErrorHelper<CRSError> {
public:
    // How long a connection may take before the host counts as unreachable
    // (the window program's reconnect waits this long when a VPN is down),
    // and how long the far side has to answer the line settings.
    static constexpr std::chrono::milliseconds kConnectTimeout{2000};
    static constexpr std::chrono::milliseconds kSettingsTimeout{3000};
    // The round trip never adds more than this to a read budget.
    static constexpr std::chrono::milliseconds kMaxRoundTrip{5000};

    CNetworkPort() = default;
    ~CNetworkPort() override;
    CNetworkPort(const CNetworkPort&) = delete;
    CNetworkPort& operator=(const CNetworkPort&) = delete;

    // Opens port n of the table, which must be a network address.
    void open(int n) override;
    // Opens the address directly, counting it as port n.
    void openAddress(const std::string& address, int n);
    bool close() override;
    bool isOpen() const override { return m_fd >= 0; }
    int portNumber() const override { return m_portNumber; }
    const std::string& path() const { return m_path; }
    // The reason of the last failed open (errno, or kHostNotFound).
    int lastOpenError() const { return m_lastOpenError; }

    void configure() override;
    void setTimeout(const SerialTimeouts& timeouts) { m_timeouts = timeouts; }

    int read(uint8_t* buffer, int count) override;
    int write(const uint8_t* buffer, int count) override;
    void purgeIn() override;
    void purgeOut() override;
    uint32_t clearCommError() override;

    // The round trip currently added to read budgets.
    std::chrono::milliseconds roundTrip() const;

private:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Ready, TimedOut, LineDown };

    bool telnet() const { return m_kind == vexor::NetworkPortName::Kind::Rfc2217; }
    void askPurge(std::uint8_t which);
    // Reads what the socket holds (waiting until the deadline for something
    // when there is nothing), decodes it into m_rx and answers negotiations.
    Wait receive(std::optional<Clock::time_point> deadline, const char* what);
    // Sends bytes whole unless the deadline passes; returns how many went.
    std::size_t sendAll(const std::vector<uint8_t>& bytes,
                        std::optional<Clock::time_point> deadline, const char* what);
    void noteReplyStart(Clock::time_point at);

    [[noreturn]] void throwIoError(const char* what, int error, int line);

    int m_fd = -1;
    int m_portNumber = 0;
    int m_lastOpenError = 0;
    std::string m_path;
    vexor::NetworkPortName::Kind m_kind = vexor::NetworkPortName::Kind::RawTcp;
    CTelnetCodec m_codec;
    std::deque<uint8_t> m_rx;          // data bytes received and not yet read
    std::vector<uint8_t> m_pendingOut; // commands sent with the next data
    SerialTimeouts m_timeouts = vexor::controllerTimeouts();
    bool m_hungUp = false;

    std::chrono::microseconds m_settingsRoundTrip{0};
    std::optional<Clock::time_point> m_requestEnd; // set while a reply is awaited
    std::array<std::chrono::microseconds, 8> m_replyStarts{};
    std::size_t m_replyCount = 0;
};
