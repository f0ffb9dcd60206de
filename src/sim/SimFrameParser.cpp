#include "SimFrameParser.h"

void CSimFrameParser::feed(const uint8_t* data, std::size_t count, Clock::time_point now) {
    m_bytes.insert(m_bytes.end(), data, data + count);
    m_arrival.insert(m_arrival.end(), count, now);
}

void CSimFrameParser::dropFront(std::size_t n) {
    m_bytes.erase(m_bytes.begin(), m_bytes.begin() + static_cast<std::ptrdiff_t>(n));
    m_arrival.erase(m_arrival.begin(), m_arrival.begin() + static_cast<std::ptrdiff_t>(n));
}

void CSimFrameParser::reset() {
    m_bytes.clear();
    m_arrival.clear();
}

std::optional<CSimFrameParser::Parsed> CSimFrameParser::next(Clock::time_point now) {
    for (;;) {
        // Skip to the next AA 55 (a lone AA at the very end may still become one).
        std::size_t start = 0;
        while (start < m_bytes.size()) {
            if (m_bytes[start] == 0xAA &&
                (start + 1 == m_bytes.size() || m_bytes[start + 1] == 0x55))
                break;
            ++start;
        }
        if (start > 0) {
            m_skipped += start;
            dropFront(start);
        }
        if (m_bytes.size() < 4) {
            if (!m_bytes.empty() && now - m_arrival.front() > m_stallTimeout) {
                ++m_skipped;
                dropFront(1);
                continue;
            }
            return std::nullopt;
        }
        const uint8_t length = m_bytes[2];
        const std::size_t total = 4u + length + 2u;
        if (m_bytes.size() < total) {
            if (now - m_arrival.front() > m_stallTimeout) {
                // Given up: resynchronise one byte further on.
                ++m_skipped;
                dropFront(1);
                continue;
            }
            return std::nullopt;
        }
        const uint8_t command = m_bytes[3];
        const uint16_t expected = CSimFrame::checksum(length, command, m_bytes.data() + 4, length);
        const uint16_t received =
            static_cast<uint16_t>((m_bytes[4 + length] << 8) | m_bytes[5 + length]);
        if (expected != received) {
            ++m_badChecksums;
            dropFront(1);
            continue;
        }
        Parsed parsed{CSimFrame(command, std::vector<uint8_t>(m_bytes.begin() + 4,
                                                              m_bytes.begin() + 4 + length)),
                      m_arrival.front()};
        dropFront(total);
        return parsed;
    }
}
