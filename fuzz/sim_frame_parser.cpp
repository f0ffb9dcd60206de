// The simulator reads whatever a client writes to its terminal. The input is
// a sequence of arrivals: a byte of milliseconds that pass before it (up to
// 255, past the stall time-out), a length byte, and that many bytes. Every
// frame the parser gives must carry a right check sum and travel again as the
// same frame; every frame then goes to the controller model, whose answer
// must encode too.
#include "support/FuzzInput.h"

#include "SimController.h"
#include "SimFrameParser.h"

#include <chrono>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Clock = CSimFrameParser::Clock;
    vexor::fuzz::CFuzzInput in(data, size);

    // A clock that moves only with the input, so a run can be repeated.
    Clock::time_point now{};
    CSimController controller;
    controller.setClock([&now] { return now; });
    CSimFrameParser parser;

    std::size_t fed = 0;
    std::size_t framed = 0;
    while (!in.empty()) {
        now += std::chrono::milliseconds(in.byte());
        const auto bytes = in.take(in.byte());
        parser.feed(bytes.data(), bytes.size(), now);
        fed += bytes.size();
        while (auto parsed = parser.next(now)) {
            const CSimFrame& frame = parsed->frame;
            if (frame.payload().size() > 255 || parsed->started > now)
                std::abort();
            const auto wire = frame.encode();
            framed += wire.size();

            CSimFrameParser again;
            again.feed(wire.data(), wire.size(), now);
            const auto echo = again.next(now);
            if (!echo || echo->frame.command() != frame.command() ||
                echo->frame.payload() != frame.payload() || again.pending())
                std::abort();

            frame.selector();
            frame.parameter();
            if (const auto reply = controller.handle(frame))
                reply->encode(true);
        }
        // Bytes are either framed, skipped, counted in a dropped frame or still waiting.
        if (framed + parser.skippedByteCount() + parser.badChecksumCount() > fed)
            std::abort();
    }
    return 0;
}
