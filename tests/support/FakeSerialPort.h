#pragma once

#include "device/ISerialPort.h"
#include "device/RSError.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <utility>
#include <vector>

namespace vexor::test {

// A scripted in-memory port. The peer's bytes come in segments: a read call
// takes what is waiting, and only when nothing is waiting does the next
// segment arrive. So a read that reaches the end of a segment returns short,
// and the rest shows up on a later read call, like a reply that stalls.
class FakeSerialPort : public ISerialPort {
public:
    // Bytes already waiting before anything is sent (a late reply to an
    // earlier request); purgeIn() drops them.
    FakeSerialPort& waiting(const std::vector<uint8_t>& bytes) {
        m_rx.insert(m_rx.end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Bytes the peer sends, appended to the current segment.
    FakeSerialPort& reply(const std::vector<uint8_t>& bytes) {
        if (m_segments.empty())
            m_segments.emplace_back();
        m_segments.back().insert(m_segments.back().end(), bytes.begin(), bytes.end());
        return *this;
    }
    // Closes the current segment: what follows arrives only on a later read.
    FakeSerialPort& stall() {
        m_segments.emplace_back();
        return *this;
    }

    // A whole frame with a correct checksum.
    static std::vector<uint8_t> frame(uint8_t command, const std::vector<uint8_t>& payload,
                                      int checksumOffset = 0) {
        std::vector<uint8_t> f(4 + payload.size());
        f[0] = 0xAA;
        f[1] = 0x55;
        f[2] = static_cast<uint8_t>(payload.size());
        f[3] = command;
        std::copy(payload.begin(), payload.end(), f.begin() + 4);
        uint16_t sum = static_cast<uint16_t>(payload.size() + command + 1 + checksumOffset);
        for (uint8_t b : payload)
            sum = static_cast<uint16_t>(sum + b);
        f.push_back(static_cast<uint8_t>(sum >> 8));
        f.push_back(static_cast<uint8_t>(sum));
        return f;
    }
    // An acknowledge (command 2): result byte 4 and the given status word.
    static std::vector<uint8_t> ack(uint16_t status) {
        return frame(2,
                     {4, 0, 0, 0, static_cast<uint8_t>(status), static_cast<uint8_t>(status >> 8)});
    }

    // Results of successive clearCommError() calls; 0 once used up.
    std::deque<uint32_t> commErrors;
    // The read call (0-based) that throws a CRSError instead; -1: none.
    int throwOnRead = -1;

    // Everything written, and a log of the calls in order ("purgeIn",
    // "write 4", "read 4 -> 4", "clearCommError").
    std::vector<uint8_t> written;
    std::vector<std::string> calls;
    int readCalls = 0;

    void open(int n) override {
        m_open = true;
        m_number = n;
    }
    bool close() override {
        m_open = false;
        return true;
    }
    bool isOpen() const override { return m_open; }
    int portNumber() const override { return m_number; }
    void configure() override { calls.push_back("configure"); }

    int read(uint8_t* buffer, int count) override {
        if (readCalls++ == throwOnRead) {
            calls.push_back("read throws");
            throw static_cast<IError*>(new CRSError(CRSError::kCantReadWrite,
                                                    "CSerialPort::read() - GetLastError()=5",
                                                    __LINE__, __FILE__));
        }
        if (m_rx.empty() && !m_segments.empty()) {
            m_rx.insert(m_rx.end(), m_segments.front().begin(), m_segments.front().end());
            m_segments.pop_front();
        }
        int n = 0;
        while (n < count && !m_rx.empty()) {
            buffer[n++] = m_rx.front();
            m_rx.pop_front();
        }
        calls.push_back("read " + std::to_string(count) + " -> " + std::to_string(n));
        return n;
    }
    int write(const uint8_t* buffer, int count) override {
        written.insert(written.end(), buffer, buffer + count);
        calls.push_back("write " + std::to_string(count));
        return count;
    }
    void purgeIn() override {
        m_rx.clear();
        calls.push_back("purgeIn");
    }
    void purgeOut() override { calls.push_back("purgeOut"); }
    uint32_t clearCommError() override {
        calls.push_back("clearCommError");
        if (commErrors.empty())
            return 0;
        uint32_t e = commErrors.front();
        commErrors.pop_front();
        return e;
    }

private:
    std::deque<uint8_t> m_rx;
    std::deque<std::vector<uint8_t>> m_segments;
    bool m_open = false;
    int m_number = 0;
};

} // namespace vexor::test
