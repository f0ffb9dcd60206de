#include "device/FrameTransport.h"

#include "threads/MutexGuard.h"

#include <chrono>
#include <cstring>
#include <thread>

namespace {

constexpr uint8_t kStart1 = 0xAA;
constexpr uint8_t kStart2 = 0x55;
constexpr uint8_t kStatusReply = 2;
// Status bit the controller sets in ordinary operation; any other bit in the
// status word of an acknowledge means it did not do what was asked.
constexpr uint16_t kHarmlessStatus = 0x0010;
// Offset of the status word in an acknowledge payload (low byte first).
constexpr int kStatusOffset = 4;
// Pause before the one extra read that picks up a reply's late tail.
constexpr auto kSecondReadPause = std::chrono::milliseconds(50);

} // namespace

uint16_t CFrameTransport::payloadSum(const uint8_t* data, uint16_t count) {
    uint16_t sum = 0;
    for (uint16_t i = 0; i < count; ++i)
        sum = static_cast<uint16_t>(sum + data[i]);
    return static_cast<uint16_t>(sum + 1);
}

bool CFrameTransport::transact(uint8_t* buffer, uint8_t& length, uint8_t& command) {
    return exchange(buffer, length, command, Mode::Full);
}

int CFrameTransport::transactFast(uint8_t* buffer, uint8_t& length, uint8_t& command) {
    return exchange(buffer, length, command, Mode::Fast) ? kFastOk : kFastFailed;
}

bool CFrameTransport::exchange(uint8_t* buffer, uint8_t& length, uint8_t& command, Mode mode) {
    CMutexGuard guard(m_lock);
    ISerialPort& port = *m_port;

    uint8_t header[4] = {kStart1, kStart2, length, command};
    const uint16_t sum = static_cast<uint16_t>(length + command + payloadSum(buffer, length));
    const uint8_t checksum[2] = {static_cast<uint8_t>(sum >> 8), static_cast<uint8_t>(sum)};

    // Whatever is waiting is a late answer to an earlier request.
    port.purgeIn();

    // Short writes are not checked here: they show up as a missing or
    // malformed reply.
    port.write(header, 4);
    if (port.clearCommError() != 0)
        return false;
    port.write(buffer, length);
    if (port.clearCommError() != 0)
        return false;
    port.write(checksum, 2);
    std::memset(header, 0, sizeof header);
    if (port.clearCommError() != 0)
        return false;

    if (port.read(header, 4) < 4)
        return false;
    if (header[0] != kStart1 || header[1] != kStart2)
        return false;
    const uint8_t replyLength = header[2];
    const uint8_t replyCommand = header[3];
    const int expected = replyLength + 2;

    std::memset(buffer, 0, vexor::kTransactBufferSize);
    if (port.clearCommError() != 0)
        return false;

    int got = port.read(buffer, expected);
    if (got < expected && mode == Mode::Full) {
        std::this_thread::sleep_for(kSecondReadPause);
        if (got < 0)
            got = 0;
        got += port.read(buffer + got, expected - got);
    }
    if (got < expected)
        return false;

    const uint16_t received =
        static_cast<uint16_t>((buffer[replyLength] << 8) | buffer[replyLength + 1]);
    const uint16_t computed =
        static_cast<uint16_t>(replyLength + replyCommand + payloadSum(buffer, replyLength));
    if (received != computed)
        return false;

    // Only a payload long enough to hold the status word is tested: in a
    // shorter one those buffer bytes are the checksum, not a status.
    if (mode == Mode::Full && replyCommand == kStatusReply && replyLength >= kStatusOffset + 2) {
        const uint16_t status =
            static_cast<uint16_t>(buffer[kStatusOffset] | (buffer[kStatusOffset + 1] << 8));
        if ((status & ~kHarmlessStatus) != 0)
            return false;
    }

    if (port.clearCommError() != 0)
        return false;

    // The caller's request bytes are replaced only by a reply that passed.
    length = replyLength;
    command = replyCommand;
    return true;
}
