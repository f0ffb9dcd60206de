// OBD answers pass the controller through from whatever units sit on the car's
// bus, so their contents are the least trusted of all. Input: a byte that
// picks the single or the several-values request, the request record (20 or
// 34 bytes), then the port script of CReplyPort. A reply that arrives is read
// entry by entry the way the OBD page reads it.
#include "support/FuzzInput.h"
#include "support/InstantSleep.h"
#include "support/ReplyPort.h"

#include "common/IError.h"
#include "device/LPGDevice.h"
#include "device/ObdReply.h"

#include <cstdlib>
#include <memory>

namespace {

void readEntries(const ObdReply& reply) {
    const std::size_t count = reply.entryCount();
    if (count > reply.declaredEntries() ||
        ObdReply::kCountLength + count * ObdReply::kEntryLength > reply.payload.size())
        std::abort();
    unsigned sum = 0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::uint8_t* entry = reply.entry(k);
        if (entry == nullptr)
            std::abort();
        for (std::size_t b = 0; b < ObdReply::kEntryLength; ++b)
            sum += entry[b];
    }
    if (reply.entry(count) != nullptr || sum > count * ObdReply::kEntryLength * 255)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vexor::fuzz::CInstantSleep instant;
    vexor::fuzz::CFuzzInput in(data, size);
    const bool several = (in.byte() & 1) != 0;
    vexor::ObdRequest single{};
    vexor::ObdMultiRequest multi{};
    if (several) {
        for (auto& b : multi)
            b = in.byte();
    } else {
        for (auto& b : single)
            b = in.byte();
    }
    vexor::fuzz::CReplyPort port(in);

    CLPGDevice device(&port);
    ObdReply reply;
    try {
        const bool ok =
            several ? device.obdMultiRequest(multi, reply) : device.obdRequest(single, reply);
        if (ok)
            readEntries(reply);
        else if (!reply.payload.empty())
            std::abort();
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        owned->description();
    }
    return 0;
}
