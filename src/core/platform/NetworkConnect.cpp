#include "platform/NetworkConnect.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>

#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace vexor {

namespace {

using Clock = std::chrono::steady_clock;

int connectOne(const addrinfo& ai, Clock::time_point deadline, int& error) {
    const int fd =
        ::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol);
    if (fd < 0) {
        error = errno;
        return -1;
    }
    if (::connect(fd, ai.ai_addr, ai.ai_addrlen) == 0) {
        error = 0;
        return fd;
    }
    if (errno != EINPROGRESS && errno != EINTR) {
        error = errno;
        ::close(fd);
        return -1;
    }
    for (;;) {
        const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            error = ETIMEDOUT;
            ::close(fd);
            return -1;
        }
        pollfd p{fd, POLLOUT, 0};
        const int r = ::poll(&p, 1, static_cast<int>(std::min<int64_t>(left.count(), INT_MAX)));
        if (r < 0 && errno == EINTR)
            continue;
        if (r < 0) {
            error = errno;
            ::close(fd);
            return -1;
        }
        if (r == 0)
            continue;
        int soError = 0;
        socklen_t length = sizeof soError;
        if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &soError, &length) < 0)
            soError = errno;
        if (soError != 0) {
            error = soError;
            ::close(fd);
            return -1;
        }
        error = 0;
        return fd;
    }
}

} // namespace

int connectTcp(const NetworkPortName& address, std::chrono::milliseconds timeout, int& error) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICSERV;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(address.port);
    if (::getaddrinfo(address.host.c_str(), service.c_str(), &hints, &found) != 0 || !found) {
        error = kHostNotFound;
        return -1;
    }
    error = EHOSTUNREACH;
    int fd = -1;
    for (const addrinfo* ai = found; ai && fd < 0; ai = ai->ai_next)
        fd = connectOne(*ai, Clock::now() + timeout, error);
    ::freeaddrinfo(found);
    if (fd >= 0) {
        // Every request is a few small writes answered at once: without this
        // each would wait for the acknowledgement of the one before.
        const int on = 1;
        ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    }
    return fd;
}

bool isUnreachable(int error) {
    return error == kHostNotFound || error == ETIMEDOUT || error == EHOSTUNREACH ||
           error == ENETUNREACH || error == EHOSTDOWN || error == ENETDOWN ||
           error == EADDRNOTAVAIL;
}

} // namespace vexor
