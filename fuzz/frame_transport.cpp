// The frame layer against a peer that answers with the fuzz input. Input: a
// mode byte (bit 0: the live-data variant), the request's length and command,
// then the port script of CReplyPort. Whatever comes back, the exchange must
// stay inside the caller's buffer, keep the caller's length and command on a
// failure, and accept only a frame whose check sum holds.
#include "support/FuzzInput.h"
#include "support/InstantSleep.h"
#include "support/ReplyPort.h"

#include "common/IError.h"
#include "device/FrameTransport.h"

#include <cstdlib>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexor::fuzz::CInstantSleep instant;
    vexor::fuzz::CFuzzInput in(data, size);
    const bool fast = (in.byte() & 1) != 0;
    std::uint8_t length = in.byte();
    std::uint8_t command = in.byte();
    vexor::fuzz::CReplyPort port(in);
    CFrameTransport transport(port);

    // Exactly the documented buffer size, so that any byte past it is caught.
    std::vector<std::uint8_t> buffer(vexor::kTransactBufferSize);
    for (std::size_t i = 0; i < length; ++i)
        buffer[i] = static_cast<std::uint8_t>(i * 13 + 5);
    const std::uint8_t requestLength = length;
    const std::uint8_t requestCommand = command;

    bool ok = false;
    try {
        ok = fast ? transport.transactFast(buffer.data(), length, command) ==
                        CFrameTransport::kFastOk
                  : transport.transact(buffer.data(), length, command);
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        owned->description();
        ok = false;
    }
    if (!ok) {
        if (length != requestLength || command != requestCommand)
            std::abort();
        return 0;
    }
    const std::uint16_t received =
        static_cast<std::uint16_t>(buffer[length] << 8 | buffer[length + 1]);
    const std::uint16_t computed = static_cast<std::uint16_t>(
        length + command + CFrameTransport::payloadSum(buffer.data(), length));
    if (received != computed)
        std::abort();
    return 0;
}
