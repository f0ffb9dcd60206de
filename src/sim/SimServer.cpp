#include "SimServer.h"

#include "SimFrameParser.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr std::chrono::milliseconds kStallPoll{50};
// How long a reply may wait for room on the line before stale input is thrown away, and
// before the reply itself is given up.
constexpr std::chrono::milliseconds kBlockedFlush{200};
constexpr std::chrono::milliseconds kBlockedGiveUp{1000};

void setNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL);
    if (flags >= 0)
        fcntl(fd, F_SETFL, flags | O_NONBLOCK);
    fcntl(fd, F_SETFD, FD_CLOEXEC);
}

std::runtime_error systemError(const char* what) {
    return std::runtime_error(std::string("CSimServer: ") + what + ": " + std::strerror(errno));
}
} // namespace

CSimServer::CSimServer(const SimConfig& config) : m_config(config), m_controller(config) {
    m_faults.setPaceBaud(config.paceBaud);
}

CSimServer::~CSimServer() {
    stop();
}

void CSimServer::start() {
    if (running())
        return;
    openLine();
    launch();
}

void CSimServer::openLine() {
    int master = -1;
    int slave = -1;
    if (openpty(&master, &slave, nullptr, nullptr, nullptr) != 0)
        throw systemError("openpty");
    char name[PATH_MAX] = {};
    if (ptsname_r(master, name, sizeof name) != 0) {
        close(master);
        close(slave);
        throw systemError("ptsname");
    }
    // Raw line on the client side: no echo, no line editing, no character translation.
    termios tio{};
    if (tcgetattr(slave, &tio) == 0) {
        cfmakeraw(&tio);
        cfsetispeed(&tio, B38400);
        cfsetospeed(&tio, B38400);
        tio.c_cflag |= CLOCAL | CREAD;
        tcsetattr(slave, TCSANOW, &tio);
    }
    setNonBlocking(master);
    fcntl(slave, F_SETFD, FD_CLOEXEC);
    m_readFd = m_writeFd = master;
    m_slaveKeepFd = slave;
    m_slavePath = name;
    if (!m_linkPath.empty()) {
        // Replaced in one step, so a client never finds the name missing.
        const std::string temporary = m_linkPath + ".new";
        unlink(temporary.c_str());
        if (symlink(name, temporary.c_str()) != 0 ||
            rename(temporary.c_str(), m_linkPath.c_str()) != 0)
            throw systemError("symlink");
    }
}

void CSimServer::setReturnAfterHangUp(std::optional<std::chrono::milliseconds> away) {
    {
        std::lock_guard<std::mutex> lock(m_returnMutex);
        m_returnAfter = away;
    }
    wake();
}

bool CSimServer::comeBack(Clock::time_point hungUpAt) {
    std::optional<std::chrono::milliseconds> away;
    {
        std::lock_guard<std::mutex> lock(m_returnMutex);
        away = m_returnAfter;
    }
    if (!away || m_slavePath.empty() || Clock::now() < hungUpAt + *away)
        return false;
    {
        std::lock_guard<std::mutex> lock(m_modelMutex);
        m_controller.powerCycle();
    }
    {
        std::lock_guard<std::mutex> lock(m_stateMutex);
        openLine();
        m_hangUpRequested = false;
        m_hungUp = false;
    }
    ++m_returns;
    m_stateChanged.notify_all();
    return true;
}

void CSimServer::startOn(int readFd, int writeFd) {
    if (running())
        return;
    setNonBlocking(readFd);
    if (writeFd != readFd)
        setNonBlocking(writeFd);
    m_readFd = readFd;
    m_writeFd = writeFd;
    m_slavePath.clear();
    launch();
}

void CSimServer::launch() {
    int wake[2];
    if (pipe2(wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        closeLine();
        throw systemError("pipe2");
    }
    m_wakeRead = wake[0];
    m_wakeWrite = wake[1];
    m_stopRequested = false;
    m_hangUpRequested = false;
    m_hungUp = false;
    m_thread = std::thread(&CSimServer::run, this);
}

void CSimServer::wake() {
    { std::lock_guard<std::mutex> lock(m_stateMutex); }
    m_stateChanged.notify_all();
    const uint8_t b = 1;
    if (m_wakeWrite >= 0 && write(m_wakeWrite, &b, 1) < 0) {
        // A full pipe already holds a wake-up.
    }
}

void CSimServer::stop() {
    if (!m_thread.joinable())
        return;
    m_stopRequested = true;
    wake();
    m_thread.join();
    closeLine();
    close(m_wakeRead);
    close(m_wakeWrite);
    m_wakeRead = m_wakeWrite = -1;
}

void CSimServer::hangUp() {
    if (!running()) {
        closeLine();
        m_hungUp = true;
        return;
    }
    m_hangUpRequested = true;
    wake();
    std::unique_lock<std::mutex> lock(m_stateMutex);
    m_stateChanged.wait(lock, [&] { return m_hungUp.load() || m_stopRequested.load(); });
}

bool CSimServer::hungUp() const {
    std::lock_guard<std::mutex> lock(m_stateMutex);
    return m_hungUp;
}

void CSimServer::closeLine() {
    if (m_readFd >= 0)
        close(m_readFd);
    if (m_writeFd >= 0 && m_writeFd != m_readFd)
        close(m_writeFd);
    if (m_slaveKeepFd >= 0)
        close(m_slaveKeepFd);
    m_readFd = m_writeFd = m_slaveKeepFd = -1;
}

bool CSimServer::sleepUntil(Clock::time_point until) {
    std::unique_lock<std::mutex> lock(m_stateMutex);
    m_stateChanged.wait_until(lock, until,
                              [&] { return m_stopRequested.load() || m_hangUpRequested.load(); });
    return !m_stopRequested && !m_hangUpRequested;
}

void CSimServer::run() {
    CSimFrameParser parser;
    uint8_t buffer[512];
    Clock::time_point hungUpAt{};
    while (!m_stopRequested) {
        if (m_hangUpRequested && !m_hungUp) {
            {
                std::lock_guard<std::mutex> lock(m_stateMutex);
                closeLine();
                m_hungUp = true;
            }
            hungUpAt = Clock::now();
            m_stateChanged.notify_all();
        }
        if (m_hungUp && comeBack(hungUpAt))
            parser = CSimFrameParser();
        pollfd fds[2] = {{m_wakeRead, POLLIN, 0}, {m_readFd, POLLIN, 0}};
        const nfds_t count = m_hungUp ? 1 : 2;
        int timeout = parser.pending() ? static_cast<int>(kStallPoll.count()) : -1;
        if (m_hungUp && !m_slavePath.empty())
            timeout = static_cast<int>(kStallPoll.count()); // look again for the return
        if (poll(fds, count, timeout) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (fds[0].revents & POLLIN) {
            while (read(m_wakeRead, buffer, sizeof buffer) > 0) {
            }
        }
        if (count == 2 && (fds[1].revents & (POLLIN | POLLHUP | POLLERR))) {
            const ssize_t n = read(m_readFd, buffer, sizeof buffer);
            if (n > 0) {
                parser.feed(buffer, static_cast<std::size_t>(n), Clock::now());
            } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
                // The other end of a descriptor pair went away: nothing more to serve.
                m_hangUpRequested = true;
                continue;
            }
        }
        while (!m_stopRequested && !m_hangUpRequested) {
            std::optional<CSimFrameParser::Parsed> parsed = parser.next(Clock::now());
            if (!parsed)
                break;
            serveFrame(parsed->frame, parsed->started);
        }
        m_badFrames = parser.badChecksumCount();
        m_skippedBytes = parser.skippedByteCount();
    }
}

void CSimServer::serveFrame(const CSimFrame& request, Clock::time_point started) {
    const int selector = request.selector();
    m_log.add(
        SimRequest{request.command(), selector, request.parameter(), request.payload(), started});
    const SimReplyPlan plan = m_faults.plan(request.command(), selector);
    if (plan.hangUp) {
        m_hangUpRequested = true;
        return;
    }
    if (plan.silent)
        return;
    std::optional<CSimFrame> reply;
    {
        std::lock_guard<std::mutex> lock(m_modelMutex);
        reply = m_controller.handle(request);
    }
    if (!reply)
        return;
    plan.applyTo(*reply, selector);
    Clock::time_point earliest = Clock::now() + plan.delay;
    if (plan.paceBaud > 0) {
        // The request itself took its wire time to arrive.
        const std::size_t wireBytes = 6 + request.payload().size();
        const auto wire = std::chrono::duration_cast<Clock::duration>(
            std::chrono::duration<double>(10.0 * wireBytes / plan.paceBaud));
        earliest = std::max(earliest, started + wire);
    }
    sendReply(reply->encode(plan.badChecksum), plan, earliest);
}

void CSimServer::sendReply(const std::vector<uint8_t>& bytes, const SimReplyPlan& plan,
                           Clock::time_point earliest) {
    if (!sleepUntil(earliest))
        return;
    const std::size_t total = bytes.size();
    const auto byteTime = plan.paceBaud > 0
                              ? std::chrono::duration_cast<Clock::duration>(
                                    std::chrono::duration<double>(10.0 / plan.paceBaud))
                              : Clock::duration::zero();
    // Writes bytes [from, to); paced, each byte goes out once its 10 bit times have passed.
    auto writePart = [&](std::size_t from, std::size_t to) {
        if (byteTime == Clock::duration::zero())
            return writeAll(bytes.data() + from, to - from);
        const Clock::time_point t0 = Clock::now();
        std::size_t i = from;
        while (i < to) {
            const auto elapsed = Clock::now() - t0;
            const std::size_t done =
                std::min(to, from + static_cast<std::size_t>(elapsed / byteTime));
            if (done > i) {
                if (!writeAll(bytes.data() + i, done - i))
                    return false;
                i = done;
            } else if (!sleepUntil(t0 + byteTime * static_cast<long>(i - from + 1))) {
                return false;
            }
        }
        return true;
    };
    const std::size_t split = plan.splitAt ? std::min(*plan.splitAt, total) : total;
    if (split > 0 && split < total) {
        if (!writePart(0, split) || !sleepUntil(Clock::now() + plan.splitPause))
            return;
        writePart(split, total);
    } else {
        writePart(0, total);
    }
}

bool CSimServer::writeAll(const uint8_t* data, std::size_t count) {
    const Clock::time_point begin = Clock::now();
    bool flushed = false;
    while (count > 0) {
        const ssize_t n = write(m_writeFd, data, count);
        if (n > 0) {
            data += n;
            count -= static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            return false;
        // The line is full: a client that stopped reading. Old replies nobody will read are
        // thrown away first; when even that does not help, this reply is given up.
        const auto waited = Clock::now() - begin;
        if (waited > kBlockedGiveUp || m_stopRequested || m_hangUpRequested) {
            ++m_droppedReplies;
            return false;
        }
        if (waited > kBlockedFlush && !flushed && m_slaveKeepFd >= 0) {
            tcflush(m_slaveKeepFd, TCIFLUSH);
            flushed = true;
            ++m_droppedReplies;
        }
        pollfd pfd{m_writeFd, POLLOUT, 0};
        poll(&pfd, 1, 20);
    }
    return true;
}
