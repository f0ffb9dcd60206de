#pragma once

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace vexor::test {

// The far end of a pseudo-terminal pair: the code under test opens slave(),
// the test talks through the master side.
class PseudoTerminal {
public:
    PseudoTerminal() {
        m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
        if (m_master < 0 || ::grantpt(m_master) < 0 || ::unlockpt(m_master) < 0)
            throw std::runtime_error("no pseudo-terminal");
        char name[128];
        if (::ptsname_r(m_master, name, sizeof name) != 0)
            throw std::runtime_error("no pseudo-terminal name");
        m_slave = name;
    }
    ~PseudoTerminal() { closeMaster(); }
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    const std::string& slave() const { return m_slave; }

    void send(const std::vector<uint8_t>& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            ssize_t r = ::write(m_master, bytes.data() + done, bytes.size() - done);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                throw std::runtime_error("master write failed");
            done += static_cast<std::size_t>(r);
        }
    }

    // Up to count bytes, waiting at most timeoutMs for each further byte.
    std::vector<uint8_t> receive(std::size_t count, int timeoutMs = 2000) {
        std::vector<uint8_t> bytes;
        while (bytes.size() < count) {
            pollfd p{m_master, POLLIN, 0};
            int r = ::poll(&p, 1, timeoutMs);
            if (r < 0 && errno == EINTR)
                continue;
            if (r <= 0)
                break;
            uint8_t chunk[512];
            ssize_t n = ::read(m_master, chunk, std::min(sizeof chunk, count - bytes.size()));
            if (n <= 0)
                break;
            bytes.insert(bytes.end(), chunk, chunk + n);
        }
        return bytes;
    }

    void closeMaster() {
        if (m_master >= 0)
            ::close(m_master);
        m_master = -1;
    }

private:
    int m_master = -1;
    std::string m_slave;
};

} // namespace vexor::test
