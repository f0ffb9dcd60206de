#pragma once

// A fault relay between a program under test and the simulated controller:
// the program opens the relay's pseudo-terminal, the relay passes every
// request on to the simulator and every reply back, and does something else
// to the replies of a chosen request — holds them back, drops them (the
// controller acted, the answer never came), sends them with a wrong check sum
// or twice. Unlike the simulator's own faults, the controller always sees and
// carries out the request: what goes wrong is only the way back.

#include "SimFrameParser.h"
#include "SimMatch.h"
#include "SimServer.h"

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <deque>
#include <fcntl.h>
#include <mutex>
#include <poll.h>
#include <pty.h>
#include <stdexcept>
#include <string>
#include <sys/socket.h>
#include <termios.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace vexor::test {

enum class RelayAction { Pass, Drop, Delay, Corrupt, Repeat };

struct RelayFault {
    SimMatch match;
    RelayAction action = RelayAction::Pass;
    std::chrono::milliseconds delay{0}; // for Delay
    int skip = 0;                       // matching requests let through first
    int times = 1;                      // matching requests hit after that (-1: all)
};

class CFaultRelay {
public:
    using Clock = std::chrono::steady_clock;

    // Serves `server` through a socket pair; the server must not be started yet.
    explicit CFaultRelay(CSimServer& server) {
        int pair[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0)
            throw std::runtime_error("socketpair");
        server.startOn(pair[0], pair[0]);
        m_upstream = pair[1];
        int slave = -1;
        if (::openpty(&m_client, &slave, nullptr, nullptr, nullptr) != 0)
            throw std::runtime_error("openpty");
        char name[PATH_MAX] = {};
        ::ptsname_r(m_client, name, sizeof name);
        m_path = name;
        termios tio{};
        if (::tcgetattr(slave, &tio) == 0) {
            ::cfmakeraw(&tio);
            tio.c_cflag |= CLOCAL | CREAD;
            ::tcsetattr(slave, TCSANOW, &tio);
        }
        // Kept open so that the program under test may close and reopen the
        // port without the line hanging up.
        m_slaveKeep = slave;
        ::fcntl(m_client, F_SETFL, ::fcntl(m_client, F_GETFL) | O_NONBLOCK);
        ::fcntl(m_client, F_SETFD, FD_CLOEXEC);
        ::fcntl(m_slaveKeep, F_SETFD, FD_CLOEXEC);
        if (::pipe2(m_wake, O_CLOEXEC | O_NONBLOCK) != 0)
            throw std::runtime_error("pipe");
        m_thread = std::thread([this] { run(); });
    }
    ~CFaultRelay() {
        m_stop = true;
        (void)!::write(m_wake[1], "x", 1);
        m_thread.join();
        for (int fd : {m_client, m_slaveKeep, m_upstream, m_wake[0], m_wake[1]})
            ::close(fd);
    }
    CFaultRelay(const CFaultRelay&) = delete;
    CFaultRelay& operator=(const CFaultRelay&) = delete;

    // The port the program under test opens.
    const std::string& path() const { return m_path; }

    void setFault(const RelayFault& fault) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_fault = fault;
        m_seen = 0;
        m_hits = 0;
    }
    void clearFault() { setFault({}); }
    // How many replies the fault changed.
    int hits() const {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_hits;
    }

private:
    struct Outgoing {
        Clock::time_point due;
        std::vector<std::uint8_t> bytes;
    };

    // What happens to the reply of a request that just went upstream.
    RelayAction decide(const CSimFrame& request) {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (m_fault.action == RelayAction::Pass ||
            !m_fault.match.matches(request.command(), request.selector()))
            return RelayAction::Pass;
        if (m_seen++ < m_fault.skip || (m_fault.times >= 0 && m_hits >= m_fault.times))
            return RelayAction::Pass;
        ++m_hits;
        return m_fault.action;
    }

    void onReply(const CSimFrame& reply, Clock::time_point now) {
        const RelayAction action = m_pending.empty() ? RelayAction::Pass : m_pending.front();
        if (!m_pending.empty())
            m_pending.pop_front();
        std::chrono::milliseconds delay{0};
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            delay = m_fault.delay;
        }
        switch (action) {
        case RelayAction::Drop:
            return;
        case RelayAction::Delay:
            m_out.push_back({now + delay, reply.encode()});
            return;
        case RelayAction::Corrupt:
            m_out.push_back({now, reply.encode(true)});
            return;
        case RelayAction::Repeat:
            m_out.push_back({now, reply.encode()});
            m_out.push_back({now, reply.encode()});
            return;
        case RelayAction::Pass:
            m_out.push_back({now, reply.encode()});
            return;
        }
    }

    static void writeAll(int fd, const std::vector<std::uint8_t>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
            if (n > 0) {
                done += static_cast<std::size_t>(n);
            } else if (n < 0 && (errno == EAGAIN || errno == EINTR)) {
                pollfd p{fd, POLLOUT, 0};
                if (::poll(&p, 1, 100) <= 0)
                    return; // nobody reads the line: the bytes are lost, as on a cable
            } else {
                return;
            }
        }
    }

    void run() {
        CSimFrameParser requests;
        CSimFrameParser replies;
        std::uint8_t chunk[1024];
        while (!m_stop) {
            const auto now = Clock::now();
            // Replies due go out in the order they fell due.
            for (auto it = m_out.begin(); it != m_out.end();) {
                if (it->due <= now) {
                    writeAll(m_client, it->bytes);
                    it = m_out.erase(it);
                } else {
                    ++it;
                }
            }
            int timeout = 50;
            for (const Outgoing& o : m_out) {
                const auto left =
                    std::chrono::duration_cast<std::chrono::milliseconds>(o.due - now).count();
                timeout = std::min<int>(timeout, static_cast<int>(std::max<long>(left, 0)));
            }
            pollfd fds[3] = {
                {m_client, POLLIN, 0}, {m_upstream, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
            if (::poll(fds, 3, timeout) < 0 && errno != EINTR)
                return;
            const auto at = Clock::now();
            if (fds[0].revents & POLLIN) {
                const ssize_t n = ::read(m_client, chunk, sizeof chunk);
                if (n > 0)
                    requests.feed(chunk, static_cast<std::size_t>(n), at);
            }
            while (auto parsed = requests.next(at)) {
                m_pending.push_back(decide(parsed->frame));
                writeAll(m_upstream, parsed->frame.encode());
            }
            if (fds[1].revents & POLLIN) {
                const ssize_t n = ::read(m_upstream, chunk, sizeof chunk);
                if (n > 0)
                    replies.feed(chunk, static_cast<std::size_t>(n), at);
            }
            while (auto parsed = replies.next(at))
                onReply(parsed->frame, at);
        }
    }

    int m_client = -1;
    int m_slaveKeep = -1;
    int m_upstream = -1;
    int m_wake[2] = {-1, -1};
    std::string m_path;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    RelayFault m_fault;
    int m_seen = 0;
    int m_hits = 0;
    // Relay thread only: the action for each request still waiting for its
    // reply, oldest first, and the replies waiting to go out.
    std::deque<RelayAction> m_pending;
    std::vector<Outgoing> m_out;
};

} // namespace vexor::test
