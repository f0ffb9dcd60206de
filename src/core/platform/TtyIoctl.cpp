#include "platform/TtyIoctl.h"

#include <cerrno>

#include <linux/serial.h>
#include <sys/ioctl.h>
#include <termios.h>

namespace vexor::tty {

namespace {

struct SpeedEntry {
    speed_t code;
    uint32_t baud;
};

constexpr SpeedEntry kSpeeds[] = {
    {B1200, 1200},     {B2400, 2400},     {B4800, 4800},     {B9600, 9600},
    {B19200, 19200},   {B38400, 38400},   {B57600, 57600},   {B115200, 115200},
    {B230400, 230400}, {B460800, 460800}, {B921600, 921600},
};

int ioctlRetry(int fd, unsigned long request, void* arg) {
    int r;
    do {
        r = ::ioctl(fd, request, arg);
    } while (r < 0 && errno == EINTR);
    return r < 0 ? errno : 0;
}

int tcsetattrRetry(int fd, const termios& tio) {
    int r;
    do {
        r = ::tcsetattr(fd, TCSANOW, &tio);
    } while (r < 0 && errno == EINTR);
    return r < 0 ? errno : 0;
}

int modemLines(int fd, unsigned long request, int bits) {
    if (bits == 0)
        return 0;
    int e = ioctlRetry(fd, request, &bits);
    return unsupported(e) ? 0 : e;
}

} // namespace

bool unsupported(int error) {
    return error == ENOTTY || error == EINVAL || error == ENOTSUP || error == EOPNOTSUPP;
}

int setExclusive(int fd) {
    return ioctlRetry(fd, TIOCEXCL, nullptr);
}

int releaseExclusive(int fd) {
    return ioctlRetry(fd, TIOCNXCL, nullptr);
}

int exclusiveState(int fd, bool& held) {
    held = false;
#ifdef TIOCGEXCL
    int value = 0;
    int e = ioctlRetry(fd, TIOCGEXCL, &value);
    if (e == 0)
        held = value != 0;
    return e;
#else
    (void)fd;
    return ENOTTY;
#endif
}

int applyLineSettings(int fd, const SerialLineSettings& s) {
    speed_t speed = 0;
    bool found = false;
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.baud == s.baudRate) {
            speed = entry.code;
            found = true;
        }
    }
    if (!found || s.dataBits < 5 || s.dataBits > 8)
        return EINVAL;

    termios tio{};
    if (::tcgetattr(fd, &tio) < 0)
        return errno;
    // Start from raw mode so nothing of the previous owner's setup survives:
    // no echo, no line editing, no character translation, no signals.
    ::cfmakeraw(&tio);
    tio.c_iflag &= ~(IXON | IXOFF | IXANY | INPCK | ISTRIP);
    tio.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
    static constexpr tcflag_t kSizes[] = {CS5, CS6, CS7, CS8};
    tio.c_cflag |= kSizes[s.dataBits - 5] | CLOCAL | CREAD;
    if (s.parity != SerialLineSettings::Parity::None) {
        tio.c_cflag |= PARENB;
        if (s.parity == SerialLineSettings::Parity::Odd)
            tio.c_cflag |= PARODD;
        tio.c_iflag |= INPCK;
    }
    if (s.stopBits == SerialLineSettings::StopBits::Two)
        tio.c_cflag |= CSTOPB;
    if (s.rtsCtsFlow)
        tio.c_cflag |= CRTSCTS;
    if (s.xonXoffFlow)
        tio.c_iflag |= IXON | IXOFF;
    // Reads are driven by poll() with our own deadlines on a non-blocking
    // descriptor. VMIN 1 keeps "nothing there yet" an EAGAIN: with VMIN 0 the
    // line discipline returns 0, which reads like end of file.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) < 0 || ::cfsetospeed(&tio, speed) < 0)
        return errno;
    if (int e = tcsetattrRetry(fd, tio))
        return e;

    int on = (s.dtr ? TIOCM_DTR : 0) | (s.rts ? TIOCM_RTS : 0);
    int off = (s.dtr ? 0 : TIOCM_DTR) | (s.rts ? 0 : TIOCM_RTS);
    if (int e = modemLines(fd, TIOCMBIC, off))
        return e;
    return modemLines(fd, TIOCMBIS, on);
}

int readLineSettings(int fd, SerialLineSettings& s) {
    termios tio{};
    if (::tcgetattr(fd, &tio) < 0)
        return errno;
    s = SerialLineSettings{};
    speed_t speed = ::cfgetospeed(&tio);
    s.baudRate = 0;
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.code == speed)
            s.baudRate = entry.baud;
    }
    switch (tio.c_cflag & CSIZE) {
    case CS5:
        s.dataBits = 5;
        break;
    case CS6:
        s.dataBits = 6;
        break;
    case CS7:
        s.dataBits = 7;
        break;
    default:
        s.dataBits = 8;
        break;
    }
    if (tio.c_cflag & PARENB)
        s.parity = (tio.c_cflag & PARODD) ? SerialLineSettings::Parity::Odd
                                          : SerialLineSettings::Parity::Even;
    s.stopBits = (tio.c_cflag & CSTOPB) ? SerialLineSettings::StopBits::Two
                                        : SerialLineSettings::StopBits::One;
    s.rtsCtsFlow = (tio.c_cflag & CRTSCTS) != 0;
    s.xonXoffFlow = (tio.c_iflag & (IXON | IXOFF)) != 0;

    int lines = 0;
    int e = ioctlRetry(fd, TIOCMGET, &lines);
    if (e != 0 && !unsupported(e))
        return e;
    s.dtr = e == 0 && (lines & TIOCM_DTR) != 0;
    s.rts = e == 0 && (lines & TIOCM_RTS) != 0;
    return 0;
}

int readErrorCounters(int fd, ErrorCounters& counters) {
    serial_icounter_struct ic{};
    int e = ioctlRetry(fd, TIOCGICOUNT, &ic);
    if (e != 0)
        return unsupported(e) ? ENOTSUP : e;
    counters.frame = static_cast<uint32_t>(ic.frame);
    counters.overrun = static_cast<uint32_t>(ic.overrun);
    counters.parity = static_cast<uint32_t>(ic.parity);
    counters.brk = static_cast<uint32_t>(ic.brk);
    counters.bufOverrun = static_cast<uint32_t>(ic.buf_overrun);
    return 0;
}

} // namespace vexor::tty
