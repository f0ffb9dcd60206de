#include "SimFrame.h"

#include "SimBytes.h"

#include <algorithm>

int CSimFrame::selector() const {
    if (m_command != 2 || m_payload.empty())
        return -1;
    return m_payload[0];
}

uint16_t CSimFrame::parameter() const {
    if (m_command != 2 || m_payload.size() < 4)
        return 0;
    return vexor::sim::get16(m_payload.data() + 2);
}

uint16_t CSimFrame::checksum(uint8_t length, uint8_t command, const uint8_t* payload,
                             std::size_t count) {
    uint32_t sum = 1u + length + command;
    for (std::size_t i = 0; i < count; ++i)
        sum += payload[i];
    return static_cast<uint16_t>(sum);
}

uint16_t CSimFrame::checksum() const {
    const std::size_t n = std::min<std::size_t>(m_payload.size(), 255);
    return checksum(static_cast<uint8_t>(n), m_command, m_payload.data(), n);
}

std::vector<uint8_t> CSimFrame::encode(bool corruptChecksum) const {
    const std::size_t n = std::min<std::size_t>(m_payload.size(), 255);
    std::vector<uint8_t> out;
    out.reserve(n + 6);
    out.push_back(0xAA);
    out.push_back(0x55);
    out.push_back(static_cast<uint8_t>(n));
    out.push_back(m_command);
    out.insert(out.end(), m_payload.begin(), m_payload.begin() + static_cast<std::ptrdiff_t>(n));
    uint16_t sum = checksum();
    if (corruptChecksum)
        sum = static_cast<uint16_t>(sum + 1);
    out.push_back(static_cast<uint8_t>(sum >> 8));
    out.push_back(static_cast<uint8_t>(sum));
    return out;
}
