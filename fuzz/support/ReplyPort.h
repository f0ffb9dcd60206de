#pragma once

#include "FuzzInput.h"
#include "device/ISerialPort.h"
#include "device/RSError.h"

#include <cstdint>
#include <deque>
#include <vector>

namespace vexor::fuzz {

// A port whose peer answers with bytes taken from the fuzz input. The bytes
// come in segments: a read takes what is waiting, and only when nothing waits
// does the next segment arrive, so replies can stall part-way. Line errors and
// a failing read are scripted too.
class CReplyPort : public ISerialPort {
public:
    // Reads the script from the input: a control byte (bits 0..3: the
    // clearCommError() call, counted from 1, that reports a line error, 0 for
    // none; bits 5..7: how many segments less one), a byte whose low four bits
    // name the read call, counted from 1, that throws (0: none), then the
    // segment sizes, one byte each, and the rest of the input as the peer's
    // bytes cut into those segments (the last one takes what is left).
    explicit CReplyPort(CFuzzInput& in) {
        const std::uint8_t control = in.byte();
        m_commErrorCall = control & 0x0F;
        m_throwingRead = in.byte() & 0x0F;
        const int segments = 1 + (control >> 5);
        std::vector<std::size_t> sizes;
        for (int i = 1; i < segments; ++i)
            sizes.push_back(in.byte());
        for (std::size_t size : sizes)
            m_segments.push_back(in.take(size));
        m_segments.push_back(in.rest());
    }

    int readCalls() const { return m_readCalls; }

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
    void configure() override {}

    int read(std::uint8_t* buffer, int count) override {
        if (count < 0)
            __builtin_trap(); // the link never asks for a negative count
        if (++m_readCalls == m_throwingRead) {
            throw static_cast<IError*>(
                new CRSError(CRSError::kCantReadWrite, "read", __LINE__, __FILE__));
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
        return n;
    }
    int write(const std::uint8_t* buffer, int count) override {
        if (count < 0)
            __builtin_trap();
        // Touch every byte so that a write from outside its buffer is caught.
        std::uint8_t sum = 0;
        for (int i = 0; i < count; ++i)
            sum = static_cast<std::uint8_t>(sum + buffer[i]);
        m_writeSum = static_cast<std::uint8_t>(m_writeSum + sum);
        return count;
    }
    void purgeIn() override { m_rx.clear(); }
    void purgeOut() override {}
    std::uint32_t clearCommError() override {
        ++m_commErrorCalls;
        return m_commErrorCalls == m_commErrorCall ? ISerialPort::kCommFrame : 0;
    }

private:
    std::deque<std::uint8_t> m_rx;
    std::deque<std::vector<std::uint8_t>> m_segments;
    int m_commErrorCall = 0;
    int m_commErrorCalls = 0;
    int m_throwingRead = 0;
    int m_readCalls = 0;
    std::uint8_t m_writeSum = 0;
    bool m_open = true;
    int m_number = 1;
};

} // namespace vexor::fuzz
