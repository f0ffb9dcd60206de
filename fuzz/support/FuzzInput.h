#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vexor::fuzz {

// Reads a fuzz input from the front: small fields first, then blocks. Past the
// end every field reads 0 and every block is empty, so a target never has to
// check the size before it takes a field.
class CFuzzInput {
public:
    CFuzzInput(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}

    std::size_t remaining() const { return m_size - m_pos; }
    bool empty() const { return m_pos == m_size; }

    std::uint8_t byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    std::uint16_t word() {
        const std::uint8_t low = byte();
        return static_cast<std::uint16_t>(low | (byte() << 8));
    }

    // At most count bytes, in a vector of exactly the size taken so that a
    // read past its end is seen by the address sanitizer.
    std::vector<std::uint8_t> take(std::size_t count) {
        count = std::min(count, remaining());
        std::vector<std::uint8_t> out(m_data + m_pos, m_data + m_pos + count);
        m_pos += count;
        return out;
    }
    std::vector<std::uint8_t> rest() { return take(remaining()); }
    std::string restAsText() {
        const auto bytes = rest();
        return std::string(bytes.begin(), bytes.end());
    }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

} // namespace vexor::fuzz
