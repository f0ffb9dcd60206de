#include "diag/Recording.h"

#include <algorithm>
#include <limits>

namespace {

// Engine speed, petrol and gas time of cylinder 1, gas and manifold pressure,
// gas and reducer temperature, lambda 1 and 2.
constexpr std::array<int, vexor::kOscChannels> kFields{1, 2, 3, 18, 19, 20, 21, 22, 23};

} // namespace

int CRecording::fieldOf(int channel) {
    return kFields[static_cast<std::size_t>(channel)];
}

void CRecording::clear() {
    for (auto& v : m_values)
        std::vector<float>().swap(v);
    for (auto& b : m_small)
        std::vector<SSpan>().swap(b);
    for (auto& b : m_blocks)
        std::vector<SSpan>().swap(b);
}

void CRecording::reserve(std::size_t lines) {
    for (auto& v : m_values)
        v.reserve(lines);
    for (auto& b : m_small)
        b.reserve(lines / kSmallBlock + 1);
    for (auto& b : m_blocks)
        b.reserve(lines / kBlock + 1);
}

namespace {

void widen(std::vector<CRecording::SSpan>& blocks, bool start, float v) {
    if (start) {
        blocks.push_back({v, v});
        return;
    }
    CRecording::SSpan& s = blocks.back();
    s.min = std::min(s.min, v);
    s.max = std::max(s.max, v);
}

} // namespace

void CRecording::append(const vexor::OscLine& line) {
    const std::size_t at = size();
    for (int c = 0; c < vexor::kOscChannels; ++c) {
        // A number beyond float's range would not convert: it is kept at the
        // range's end, far outside any channel's scale anyway.
        const double d = std::clamp<double>(line[kFields[c]], -std::numeric_limits<float>::max(),
                                            std::numeric_limits<float>::max());
        const float v = static_cast<float>(d);
        m_values[c].push_back(v);
        widen(m_small[c], at % kSmallBlock == 0, v);
        widen(m_blocks[c], at % kBlock == 0, v);
    }
}

CRecording::SSpan CRecording::span(int channel, std::size_t first, std::size_t last) const {
    const std::vector<float>& values = m_values[channel];
    last = std::min(last, values.size());
    SSpan result{values[first], values[first]};
    auto take = [&](float lo, float hi) {
        result.min = std::min(result.min, lo);
        result.max = std::max(result.max, hi);
    };
    std::size_t i = first;
    // Single lines and small blocks up to a large block's boundary, large
    // blocks, then small blocks and single lines to the end.
    for (; i < last && i % kSmallBlock != 0; ++i)
        take(values[i], values[i]);
    for (; i + kSmallBlock <= last && i % kBlock != 0; i += kSmallBlock) {
        const SSpan& b = m_small[channel][i / kSmallBlock];
        take(b.min, b.max);
    }
    for (; i + kBlock <= last; i += kBlock) {
        const SSpan& b = m_blocks[channel][i / kBlock];
        take(b.min, b.max);
    }
    for (; i + kSmallBlock <= last; i += kSmallBlock) {
        const SSpan& b = m_small[channel][i / kSmallBlock];
        take(b.min, b.max);
    }
    for (; i < last; ++i)
        take(values[i], values[i]);
    return result;
}
