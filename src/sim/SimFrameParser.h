#pragma once

#include "SimFrame.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

// Cuts a byte stream into request frames. Garbage before a frame is skipped; a frame with a
// wrong check sum is dropped without an answer and the search for AA 55 resumes one byte
// after its start, so a good frame hidden behind a false start is still found. A frame that
// stays incomplete for longer than the stall time-out is given up the same way, so a stray
// AA 55 with a large length byte cannot block the line forever.
class CSimFrameParser {
public:
    using Clock = std::chrono::steady_clock;

    struct Parsed {
        CSimFrame frame;
        Clock::time_point started; // arrival of the chunk that held its first byte
    };

    explicit CSimFrameParser(
        std::chrono::milliseconds stallTimeout = std::chrono::milliseconds(250))
        : m_stallTimeout(stallTimeout) {}

    void feed(const uint8_t* data, std::size_t count, Clock::time_point now);
    // The next complete frame with a good check sum, if any.
    std::optional<Parsed> next(Clock::time_point now);
    // True while bytes of an unfinished frame are waiting (the caller should come back to
    // next() within the stall time-out even when no more bytes arrive).
    bool pending() const { return !m_bytes.empty(); }

    std::size_t badChecksumCount() const { return m_badChecksums; }
    std::size_t skippedByteCount() const { return m_skipped; }
    void reset();

private:
    void dropFront(std::size_t n);

    std::chrono::milliseconds m_stallTimeout;
    std::vector<uint8_t> m_bytes;
    std::vector<Clock::time_point> m_arrival; // one per byte
    std::size_t m_badChecksums = 0;
    std::size_t m_skipped = 0;
};
