#include "device/SerialPort.h"

#include "platform/PortHolders.h"
#include "platform/PortTable.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <sstream>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

namespace tty = vexor::tty;

std::optional<std::chrono::steady_clock::time_point> deadlineFor(uint32_t multiplier,
                                                                 uint32_t constant, int count) {
    if (multiplier == 0 && constant == 0)
        return std::nullopt;
    uint64_t ms = uint64_t(multiplier) * uint64_t(count) + constant;
    return std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

// Opens path as an exclusively held terminal; returns the descriptor, or -1
// with the reason in error.
int openTerminal(const std::string& path, int& error) {
    // Only character devices are opened, and kept only when they are
    // terminals: a plain file or a FIFO named by mistake is never a port.
    struct stat st {};
    if (::stat(path.c_str(), &st) < 0) {
        error = errno;
        return -1;
    }
    if (!S_ISCHR(st.st_mode)) {
        error = ENOTTY;
        return -1;
    }
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    error = 0;
    bool held = false;
    if (!::isatty(fd)) {
        error = ENOTTY;
    } else if (tty::exclusiveState(fd, held) == 0 && held && !vexor::staleExclusive(path)) {
        // Someone holds it exclusively; privileged callers get this far
        // anyway. Their flag is theirs: leave it alone. A flag nobody holds
        // any more (its program was killed on a pseudo-terminal) is taken
        // over below: it would lock everyone out for good.
        error = EBUSY;
    } else if (int e = tty::setExclusive(fd)) {
        error = e;
    } else if (::flock(fd, LOCK_EX | LOCK_NB) < 0) {
        // Held by a program that locks instead of using exclusive mode.
        error = (errno == EWOULDBLOCK) ? EBUSY : errno;
        tty::releaseExclusive(fd);
    }
    if (error != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

CSerialPort::~CSerialPort() {
    close();
}

void CSerialPort::open(int n) {
    close();
    std::string path = vexor::portPath(n);
    int error = ENOENT;
    int fd = path.empty() ? -1 : openTerminal(path, error);
    if (fd < 0) {
        std::ostringstream message;
        message << "CSerialPort::open(" << n << ") - GetLastError()=" << error;
        throwError(CRSError::kCantOpen, message.str(), __LINE__, __FILE__);
    }
    m_fd = fd;
    m_portNumber = n;
    m_path = path;
    m_hungUp = false;
    // Errors counted before this open are not ours to report.
    m_counters = {};
    tty::readErrorCounters(m_fd, m_counters);
}

bool CSerialPort::close() {
    if (m_fd < 0)
        return true;
    // Released before closing: on a pseudo-terminal the flag outlives the
    // descriptor and would lock out the next open.
    tty::releaseExclusive(m_fd);
    // No retry on EINTR: the descriptor is gone either way on Linux.
    int r = ::close(m_fd);
    m_fd = -1;
    m_path.clear();
    m_hungUp = false;
    return r == 0;
}

void CSerialPort::configure() {
    setState(vexor::controllerLineSettings());
    setTimeout(vexor::controllerTimeouts());
}

void CSerialPort::getState(SerialLineSettings& settings) {
    int e = m_fd < 0 ? EBADF : tty::readLineSettings(m_fd, settings);
    if (e != 0)
        throwStateError("getState", e, __LINE__);
}

void CSerialPort::setState(const SerialLineSettings& settings) {
    int e = m_fd < 0 ? EBADF : tty::applyLineSettings(m_fd, settings);
    if (e != 0)
        throwStateError("setState", e, __LINE__);
}

void CSerialPort::getTimeout(SerialTimeouts& timeouts) {
    if (m_fd < 0)
        throwStateError("getTimeout", EBADF, __LINE__);
    timeouts = m_timeouts;
}

void CSerialPort::setTimeout(const SerialTimeouts& timeouts) {
    if (m_fd < 0)
        throwStateError("setTimeout", EBADF, __LINE__);
    m_timeouts = timeouts;
}

CSerialPort::Wait CSerialPort::waitFor(short events, std::optional<Clock::time_point> deadline,
                                       const char* what) {
    for (;;) {
        int timeoutMs = -1;
        if (deadline) {
            auto left = std::chrono::ceil<std::chrono::milliseconds>(*deadline - Clock::now());
            if (left.count() <= 0)
                return Wait::TimedOut;
            timeoutMs = static_cast<int>(std::min<int64_t>(left.count(), INT_MAX));
        }
        pollfd p{m_fd, events, 0};
        int r = ::poll(&p, 1, timeoutMs);
        if (r < 0) {
            int e = errno;
            if (e == EINTR)
                continue;
            throwIoError(what, e, __LINE__);
        }
        if (r == 0)
            continue; // re-checks the deadline; poll may wake a little early
        if (p.revents & POLLNVAL)
            throwIoError(what, EBADF, __LINE__);
        if (p.revents & events)
            return Wait::Ready;
        // Hang-up or error without data: the next read or write reports what
        // it can, and the caller stops waiting instead of spinning on poll.
        if (p.revents & POLLHUP)
            m_hungUp = true;
        return Wait::LineDown;
    }
}

int CSerialPort::read(uint8_t* buffer, int count) {
    if (m_fd < 0)
        throwIoError("read", EBADF, __LINE__);
    if (count <= 0)
        return 0;
    const auto total =
        deadlineFor(m_timeouts.readTotalMultiplier, m_timeouts.readTotalConstant, count);
    int got = 0;
    bool lineDown = false;
    Clock::time_point lastByte{};
    while (got < count) {
        ssize_t r = ::read(m_fd, buffer + got, static_cast<size_t>(count - got));
        if (r > 0) {
            got += static_cast<int>(r);
            lastByte = Clock::now();
            continue;
        }
        if (r == 0) { // end of file: the line is gone
            m_hungUp = true;
            break;
        }
        int e = errno;
        if (e == EINTR)
            continue;
        if (e != EAGAIN && e != EWOULDBLOCK) {
            if (e == EIO)
                m_hungUp = true;
            throwIoError("read", e, __LINE__);
        }
        if (lineDown)
            break; // nothing more can come
        std::optional<Clock::time_point> until = total;
        if (m_timeouts.readInterval != 0 && got > 0) {
            auto gapEnd = lastByte + std::chrono::milliseconds(m_timeouts.readInterval);
            until = until ? std::min(*until, gapEnd) : gapEnd;
        }
        Wait w = waitFor(POLLIN, until, "read");
        if (w == Wait::TimedOut)
            break;
        lineDown = w == Wait::LineDown;
    }
    return got;
}

int CSerialPort::write(const uint8_t* buffer, int count) {
    if (m_fd < 0)
        throwIoError("write", EBADF, __LINE__);
    if (count <= 0)
        return 0;
    const auto total =
        deadlineFor(m_timeouts.writeTotalMultiplier, m_timeouts.writeTotalConstant, count);
    int done = 0;
    bool lineDown = false;
    while (done < count) {
        ssize_t r = ::write(m_fd, buffer + done, static_cast<size_t>(count - done));
        if (r > 0) {
            done += static_cast<int>(r);
            continue;
        }
        int e = r == 0 ? EAGAIN : errno;
        if (e == EINTR)
            continue;
        if (e != EAGAIN && e != EWOULDBLOCK) {
            if (e == EIO)
                m_hungUp = true;
            throwIoError("write", e, __LINE__);
        }
        if (lineDown)
            break;
        Wait w = waitFor(POLLOUT, total, "write");
        if (w == Wait::TimedOut)
            break;
        lineDown = w == Wait::LineDown;
    }
    return done;
}

void CSerialPort::purgeIn() {
    int e = m_fd < 0 ? EBADF : (::tcflush(m_fd, TCIFLUSH) < 0 ? errno : 0);
    if (e != 0)
        throwStateError("purgeIn", e, __LINE__);
}

void CSerialPort::purgeOut() {
    int e = m_fd < 0 ? EBADF : (::tcflush(m_fd, TCOFLUSH) < 0 ? errno : 0);
    if (e != 0)
        throwStateError("purgeOut", e, __LINE__);
}

uint32_t CSerialPort::clearCommError() {
    if (m_fd < 0)
        return EBADF;
    if (!m_hungUp) {
        // A hang-up is reported whatever events are asked for.
        pollfd p{m_fd, 0, 0};
        if (::poll(&p, 1, 0) > 0 && (p.revents & POLLHUP))
            m_hungUp = true;
    }
    // A lost line stays reported until the port is opened again: nothing
    // sent or received on it can succeed any more.
    uint32_t flags = m_hungUp ? kCommHangUp : 0;
    tty::ErrorCounters now;
    int e = tty::readErrorCounters(m_fd, now);
    if (e == 0) {
        // The kernel's counters are 32-bit and wrap; so does the difference.
        if (now.bufOverrun != m_counters.bufOverrun)
            flags |= kCommRxBufferOverrun;
        if (now.overrun != m_counters.overrun)
            flags |= kCommOverrun;
        if (now.parity != m_counters.parity)
            flags |= kCommParity;
        if (now.frame != m_counters.frame)
            flags |= kCommFrame;
        if (now.brk != m_counters.brk)
            flags |= kCommBreak;
        m_counters = now;
    } else if (e != ENOTSUP && flags == 0) {
        return static_cast<uint32_t>(e);
    }
    return flags;
}

void CSerialPort::throwStateError(const char* what, int error, int line) {
    uint32_t commError = clearCommError();
    std::ostringstream message;
    message << "CSerialPort::" << what << "() " << '\n'
            << " GetLastError() = " << error << '\n'
            << " clearCommError() = " << commError;
    throwError(CRSError::kCantReadWrite, message.str(), line, __FILE__);
    std::abort(); // not reached; the compiler cannot see that a virtual call never returns
}

void CSerialPort::throwIoError(const char* what, int error, int line) {
    std::ostringstream message;
    message << "CSerialPort::" << what << "() - GetLastError()=" << error;
    throwError(CRSError::kCantReadWrite, message.str(), line, __FILE__);
    std::abort(); // not reached; the compiler cannot see that a virtual call never returns
}
