#pragma once

// A deliberately tiny client for the simulator tests: its own frame writer and reader, so the
// tests check the simulator against the byte format rather than against the simulator's code.

#include <chrono>
#include <cstdint>
#include <fcntl.h>
#include <optional>
#include <poll.h>
#include <string>
#include <unistd.h>
#include <vector>

struct TestReply {
    uint8_t command = 0;
    std::vector<uint8_t> payload;
    bool checksumOk = false;
};

class CSimTestClient {
public:
    explicit CSimTestClient(const std::string& path) { open(path); }
    ~CSimTestClient() { close(); }

    void open(const std::string& path) { m_fd = ::open(path.c_str(), O_RDWR | O_NOCTTY); }
    void close() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    bool isOpen() const { return m_fd >= 0; }
    int fd() const { return m_fd; }

    static std::vector<uint8_t> frame(uint8_t command, const std::vector<uint8_t>& payload) {
        std::vector<uint8_t> f = {0xAA, 0x55, static_cast<uint8_t>(payload.size()), command};
        unsigned sum = 1 + payload.size() + command;
        for (uint8_t b : payload) {
            f.push_back(b);
            sum += b;
        }
        f.push_back(static_cast<uint8_t>(sum >> 8));
        f.push_back(static_cast<uint8_t>(sum));
        return f;
    }

    void writeRaw(const std::vector<uint8_t>& bytes) {
        if (::write(m_fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size()))
            m_writeFailed = true;
    }
    void send(uint8_t command, const std::vector<uint8_t>& payload) {
        writeRaw(frame(command, payload));
    }

    // Reads up to n bytes until the deadline; fewer on time-out or a dropped line.
    std::vector<uint8_t> readBytes(std::size_t n, std::chrono::milliseconds timeout) {
        std::vector<uint8_t> out;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (out.size() < n) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                break;
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, static_cast<int>(left.count())) <= 0)
                break;
            uint8_t buf[512];
            const ssize_t got = ::read(m_fd, buf, std::min(sizeof buf, n - out.size()));
            if (got <= 0) {
                m_lineDropped = true;
                break;
            }
            out.insert(out.end(), buf, buf + got);
        }
        return out;
    }

    std::optional<TestReply>
    readFrame(std::chrono::milliseconds timeout = std::chrono::milliseconds(1000)) {
        const std::vector<uint8_t> head = readBytes(4, timeout);
        if (head.size() < 4 || head[0] != 0xAA || head[1] != 0x55)
            return std::nullopt;
        const std::vector<uint8_t> rest = readBytes(head[2] + 2u, timeout);
        if (rest.size() < head[2] + 2u)
            return std::nullopt;
        TestReply r;
        r.command = head[3];
        r.payload.assign(rest.begin(), rest.end() - 2);
        unsigned sum = 1 + head[2] + head[3];
        for (uint8_t b : r.payload)
            sum += b;
        r.checksumOk = static_cast<uint16_t>(sum) == ((rest[head[2]] << 8) | rest[head[2] + 1]);
        return r;
    }

    std::optional<TestReply>
    transact(uint8_t command, const std::vector<uint8_t>& payload,
             std::chrono::milliseconds timeout = std::chrono::milliseconds(1000)) {
        send(command, payload);
        return readFrame(timeout);
    }
    // A command-2 request: selector, 0, 16-bit parameter low byte first, 0, 0.
    std::optional<TestReply>
    read(uint8_t selector, uint16_t parameter = 0,
         std::chrono::milliseconds timeout = std::chrono::milliseconds(1000)) {
        return transact(2,
                        {selector, 0, static_cast<uint8_t>(parameter),
                         static_cast<uint8_t>(parameter >> 8), 0, 0},
                        timeout);
    }

    bool lineDropped() const { return m_lineDropped; }
    bool writeFailed() const { return m_writeFailed; }

private:
    int m_fd = -1;
    bool m_lineDropped = false;
    bool m_writeFailed = false;
};

inline uint16_t le16(const std::vector<uint8_t>& p, std::size_t at) {
    return static_cast<uint16_t>(p[at] | (p[at + 1] << 8));
}
inline uint32_t le32(const std::vector<uint8_t>& p, std::size_t at) {
    return static_cast<uint32_t>(p[at] | (p[at + 1] << 8) | (p[at + 2] << 16)) |
           (static_cast<uint32_t>(p[at + 3]) << 24);
}
