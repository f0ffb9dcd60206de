#include "device/NetworkPort.h"

#include "platform/NetworkConnect.h"
#include "platform/PortTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

std::optional<Clock::time_point> deadlineFor(uint32_t multiplier, uint32_t constant, int count,
                                             std::chrono::milliseconds extra) {
    if (multiplier == 0 && constant == 0)
        return std::nullopt;
    const uint64_t ms = uint64_t(multiplier) * uint64_t(count) + constant;
    return Clock::now() + std::chrono::milliseconds(ms) + extra;
}

bool lostConnection(int error) {
    return error == ECONNRESET || error == EPIPE || error == ENOTCONN || error == ETIMEDOUT ||
           error == EHOSTUNREACH || error == ENETUNREACH;
}

std::vector<uint8_t> bigEndian32(uint32_t value) {
    return {uint8_t(value >> 24), uint8_t(value >> 16), uint8_t(value >> 8), uint8_t(value)};
}

} // namespace

CNetworkPort::~CNetworkPort() {
    close();
}

void CNetworkPort::open(int n) {
    openAddress(vexor::portPath(n), n);
}

void CNetworkPort::openAddress(const std::string& address, int n) {
    close();
    const std::optional<vexor::NetworkPortName> name = vexor::parseNetworkPort(address);
    int error = EINVAL;
    const int fd = name ? vexor::connectTcp(*name, kConnectTimeout, error) : -1;
    if (fd < 0) {
        m_lastOpenError = error;
        std::ostringstream message;
        message << "CNetworkPort::open(" << n << ") - GetLastError()=" << error;
        throwError(CRSError::kCantOpen, message.str(), __LINE__, __FILE__);
    }
    m_fd = fd;
    m_portNumber = n;
    m_lastOpenError = 0;
    m_path = address;
    m_kind = name->kind;
    m_codec = CTelnetCodec();
    m_rx.clear();
    m_pendingOut.clear();
    m_hungUp = false;
    m_settingsRoundTrip = {};
    m_requestEnd.reset();
    m_replyCount = 0;
    if (telnet())
        m_pendingOut = m_codec.greeting();
}

bool CNetworkPort::close() {
    if (m_fd < 0)
        return true;
    const int r = ::close(m_fd);
    m_fd = -1;
    m_path.clear();
    m_rx.clear();
    m_pendingOut.clear();
    m_hungUp = false;
    return r == 0;
}

void CNetworkPort::configure() {
    m_timeouts = vexor::controllerTimeouts();
    if (m_fd < 0)
        throwIoError("setState", EBADF, __LINE__);
    if (!telnet())
        return; // the far side's own settings apply
    using Codec = CTelnetCodec;
    const SerialLineSettings line = vexor::controllerLineSettings();
    std::vector<uint8_t> out = std::move(m_pendingOut);
    m_pendingOut.clear();
    auto add = [&](uint8_t command, const std::vector<uint8_t>& value) {
        const std::vector<uint8_t> bytes = Codec::comPortCommand(command, value);
        out.insert(out.end(), bytes.begin(), bytes.end());
    };
    add(Codec::kSetBaudRate, bigEndian32(line.baudRate));
    add(Codec::kSetDataSize, {line.dataBits});
    add(Codec::kSetParity, {Codec::kParityNone});
    add(Codec::kSetStopSize, {Codec::kStopOne});
    add(Codec::kSetControl, {Codec::kControlNoFlow});
    add(Codec::kSetControl, {Codec::kControlDtrOff});
    add(Codec::kSetControl, {Codec::kControlRtsOff});
    m_codec.forgetAnswers();

    const auto started = Clock::now();
    const auto deadline = started + kSettingsTimeout;
    if (sendAll(out, deadline, "setState") < out.size())
        throwIoError("setState", ETIMEDOUT, __LINE__);
    // The answers come in the order asked; the baud rate's is the first and
    // times the round trip.
    bool timed = false;
    auto answered = [&] {
        for (uint8_t c :
             {Codec::kSetBaudRate, Codec::kSetDataSize, Codec::kSetParity, Codec::kSetStopSize}) {
            if (!m_codec.answer(c))
                return false;
        }
        return true;
    };
    while (!answered()) {
        if (m_codec.comPortRefused())
            throwIoError("setState", EPROTONOSUPPORT, __LINE__);
        const Wait w = receive(deadline, "setState");
        if (!timed && m_codec.answer(Codec::kSetBaudRate)) {
            m_settingsRoundTrip =
                std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - started);
            timed = true;
        }
        if (w == Wait::TimedOut)
            throwIoError("setState", ETIMEDOUT, __LINE__);
        if (w == Wait::LineDown)
            throwIoError("setState", ECONNRESET, __LINE__);
    }
    // The far side answers with what it now uses; anything else means the
    // adapter cannot talk to the controller.
    if (*m_codec.answer(Codec::kSetBaudRate) != bigEndian32(line.baudRate) ||
        *m_codec.answer(Codec::kSetDataSize) != std::vector<uint8_t>{line.dataBits} ||
        *m_codec.answer(Codec::kSetParity) != std::vector<uint8_t>{Codec::kParityNone} ||
        *m_codec.answer(Codec::kSetStopSize) != std::vector<uint8_t>{Codec::kStopOne})
        throwIoError("setState", EINVAL, __LINE__);
}

CNetworkPort::Wait CNetworkPort::receive(std::optional<Clock::time_point> deadline,
                                         const char* what) {
    bool waited = false;
    for (;;) {
        uint8_t chunk[4096];
        const ssize_t r = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (r > 0) {
            const auto at = Clock::now();
            const std::size_t before = m_rx.size();
            if (telnet()) {
                std::vector<uint8_t> reply;
                m_codec.receive(chunk, static_cast<int>(r), m_rx, reply);
                // Answers go out at once: the far side may wait for them.
                if (!reply.empty())
                    sendAll(reply, Clock::now() + kSettingsTimeout, what);
            } else {
                m_rx.insert(m_rx.end(), chunk, chunk + r);
            }
            if (m_rx.size() > before)
                noteReplyStart(at);
            return Wait::Ready;
        }
        if (r == 0) {
            m_hungUp = true;
            return Wait::LineDown;
        }
        const int e = errno;
        if (e == EINTR)
            continue;
        if (e != EAGAIN && e != EWOULDBLOCK) {
            if (lostConnection(e))
                m_hungUp = true;
            throwIoError(what, e, __LINE__);
        }
        if (waited && !deadline)
            continue;
        int timeoutMs = -1;
        if (deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0)
                return Wait::TimedOut;
            timeoutMs = static_cast<int>(std::min<int64_t>(left.count(), INT_MAX));
        }
        pollfd p{m_fd, POLLIN, 0};
        const int n = ::poll(&p, 1, timeoutMs);
        if (n < 0 && errno != EINTR)
            throwIoError(what, errno, __LINE__);
        waited = true;
        // Readable, closed or failed: the next recv says which.
    }
}

void CNetworkPort::noteReplyStart(Clock::time_point at) {
    if (!m_requestEnd)
        return;
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(at - *m_requestEnd);
    m_replyStarts[m_replyCount % m_replyStarts.size()] = took;
    ++m_replyCount;
    m_requestEnd.reset();
}

std::chrono::milliseconds CNetworkPort::roundTrip() const {
    std::chrono::microseconds rtt = m_settingsRoundTrip;
    if (m_fd >= 0) {
        tcp_info info{};
        socklen_t length = sizeof info;
        if (::getsockopt(m_fd, IPPROTO_TCP, TCP_INFO, &info, &length) == 0)
            rtt = std::max(rtt, std::chrono::microseconds(info.tcpi_rtt));
    }
    const std::size_t samples = std::min(m_replyCount, m_replyStarts.size());
    if (samples > 0) {
        const auto quickest =
            *std::min_element(m_replyStarts.begin(), m_replyStarts.begin() + long(samples));
        rtt = std::max(rtt, quickest);
    }
    return std::min(std::chrono::ceil<std::chrono::milliseconds>(rtt), kMaxRoundTrip);
}

int CNetworkPort::read(uint8_t* buffer, int count) {
    if (m_fd < 0)
        throwIoError("read", EBADF, __LINE__);
    if (count <= 0)
        return 0;
    const auto deadline = deadlineFor(m_timeouts.readTotalMultiplier, m_timeouts.readTotalConstant,
                                      count, roundTrip());
    int got = 0;
    for (;;) {
        while (got < count && !m_rx.empty()) {
            buffer[got++] = m_rx.front();
            m_rx.pop_front();
        }
        if (got == count || m_hungUp)
            break;
        if (receive(deadline, "read") != Wait::Ready)
            break;
    }
    return got;
}

std::size_t CNetworkPort::sendAll(const std::vector<uint8_t>& bytes,
                                  std::optional<Clock::time_point> deadline, const char* what) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t r =
            ::send(m_fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL | MSG_DONTWAIT);
        if (r > 0) {
            done += static_cast<std::size_t>(r);
            continue;
        }
        const int e = r == 0 ? EAGAIN : errno;
        if (e == EINTR)
            continue;
        if (e != EAGAIN && e != EWOULDBLOCK) {
            if (lostConnection(e))
                m_hungUp = true;
            throwIoError(what, e, __LINE__);
        }
        int timeoutMs = -1;
        if (deadline) {
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0)
                break;
            timeoutMs = static_cast<int>(std::min<int64_t>(left.count(), INT_MAX));
        }
        pollfd p{m_fd, POLLOUT, 0};
        if (::poll(&p, 1, timeoutMs) < 0 && errno != EINTR)
            throwIoError(what, errno, __LINE__);
    }
    return done;
}

int CNetworkPort::write(const uint8_t* buffer, int count) {
    if (m_fd < 0)
        throwIoError("write", EBADF, __LINE__);
    if (count <= 0)
        return 0;
    const auto deadline = deadlineFor(m_timeouts.writeTotalMultiplier,
                                      m_timeouts.writeTotalConstant, count, roundTrip());
    // Commands waiting to go out (a purge) travel in the same segment.
    std::vector<uint8_t> out = std::move(m_pendingOut);
    m_pendingOut.clear();
    const std::size_t commandBytes = out.size();
    if (telnet())
        CTelnetCodec::escape(buffer, count, out);
    else
        out.insert(out.end(), buffer, buffer + count);
    const std::size_t sent = sendAll(out, deadline, "write");
    m_requestEnd = Clock::now();
    if (sent == out.size())
        return count;
    // A short send: at most this many of the caller's bytes went (escapes
    // make the count approximate, and the frame layer only cares that it is
    // short).
    return static_cast<int>(std::min<std::size_t>(sent > commandBytes ? sent - commandBytes : 0,
                                                  static_cast<std::size_t>(count - 1)));
}

void CNetworkPort::purgeIn() {
    if (m_fd < 0)
        throwIoError("purgeIn", EBADF, __LINE__);
    // What has arrived is a late answer to an earlier request; so is what
    // the far side still holds from the line, which it is asked to drop.
    // A reply that missed its read budget is still a measure of the link
    // (an upper bound: it is seen only now), so the next try waits longer.
    if (!m_hungUp) {
        while (receive(Clock::now(), "purgeIn") == Wait::Ready) {
        }
    }
    m_requestEnd.reset();
    m_rx.clear();
    askPurge(CTelnetCodec::kPurgeReceive);
}

void CNetworkPort::purgeOut() {
    if (m_fd < 0)
        throwIoError("purgeOut", EBADF, __LINE__);
    askPurge(CTelnetCodec::kPurgeTransmit);
}

// Only the telnet COM-port control can ask the far side to drop what its
// line buffers hold; over raw TCP there is no way to say it.
void CNetworkPort::askPurge(std::uint8_t which) {
    if (!telnet())
        return;
    const auto purge = CTelnetCodec::comPortCommand(CTelnetCodec::kPurgeData, {which});
    m_pendingOut.insert(m_pendingOut.end(), purge.begin(), purge.end());
}

uint32_t CNetworkPort::clearCommError() {
    if (m_fd < 0)
        return EBADF;
    if (!m_hungUp) {
        pollfd p{m_fd, POLLRDHUP, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & (POLLHUP | POLLRDHUP | POLLERR)))
            m_hungUp = true;
    }
    // A closed connection stays reported until the port is opened again.
    return m_hungUp ? kCommHangUp : 0;
}

void CNetworkPort::throwIoError(const char* what, int error, int line) {
    std::ostringstream message;
    message << "CNetworkPort::" << what << "() - GetLastError()=" << error;
    throwError(CRSError::kCantReadWrite, message.str(), line, __FILE__);
    std::abort(); // not reached; the compiler cannot see that a virtual call never returns
}
