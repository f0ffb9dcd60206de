#pragma once

#include "device/ISerialPort.h"
#include "threads/Mutex.h"

#include <cstddef>
#include <cstdint>

namespace vexor {
// Every transaction buffer must be at least this long: the reply is cleared
// over this whole length before it is read.
inline constexpr std::size_t kTransactBufferSize = 410;
} // namespace vexor

// Request/reply exchange with the controller over a port it does not own.
// A frame is AA 55, payload length L, command, L payload bytes and a 16-bit
// checksum (high byte first) = L + command + payloadSum(payload).
//
// Both transaction routines hold the transaction lock for the whole exchange,
// so exchanges from the UI thread and the polling thread never interleave on
// the wire. Protocol failures are results; a CRSError thrown by the port
// passes through with the lock released.
class CFrameTransport {
public:
    static constexpr int kFastOk = 0;
    static constexpr int kFastFailed = 2;

    explicit CFrameTransport(ISerialPort& port) : m_port(&port) {}
    CFrameTransport(const CFrameTransport&) = delete;
    CFrameTransport& operator=(const CFrameTransport&) = delete;

    // buffer: request payload in, reply payload and its two checksum bytes out
    // (at least vexor::kTransactBufferSize bytes). length and command: the
    // request's in, the reply's out; left as they were when the exchange fails.
    // True when a well-formed reply with a correct checksum arrived, its status
    // word (command 2 replies) allows it, and the port saw no line error.
    bool transact(uint8_t* buffer, uint8_t& length, uint8_t& command);
    // The live-data variant: a single payload read with no second chance and
    // no status-word test. kFastOk or kFastFailed.
    int transactFast(uint8_t* buffer, uint8_t& length, uint8_t& command);

    // (Sum of the bytes modulo 65536) + 1, truncated to 16 bits.
    static uint16_t payloadSum(const uint8_t* data, uint16_t count);

    // Held by every exchange; re-entrant, so a caller may hold it around a
    // sequence of transactions that must not be split by the polling thread.
    CMutex& lock() { return m_lock; }
    ISerialPort& port() { return *m_port; }

private:
    enum class Mode { Full, Fast };
    bool exchange(uint8_t* buffer, uint8_t& length, uint8_t& command, Mode mode);

    ISerialPort* m_port;
    CMutex m_lock;
};
