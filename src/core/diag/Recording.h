#pragma once

#include "diag/OscChannels.h"

#include <array>
#include <cstddef>
#include <vector>

// A whole recording (.osc) held compactly for viewing: the nine quantities
// the oscilloscope plots, in their own units (rpm, ms, kPa, °C, V), one float
// each per recorded line, plus each channel's minimum and maximum over blocks
// of lines, so a chart of hours of driving draws from a few thousand blocks
// instead of every line.
class CRecording {
public:
    // Lines per block of the two summary levels.
    static constexpr std::size_t kSmallBlock = 16;
    static constexpr std::size_t kBlock = 256;
    // The polling thread records one line per poll: its 100 ms pause plus
    // the exchange. The file holds no times, so a line counts as this long.
    static constexpr double kLineSeconds = 0.1;

    struct SSpan {
        float min = 0.0f;
        float max = 0.0f;
    };

    // Which field of a recording line each channel comes from.
    static int fieldOf(int channel);

    void clear();
    void reserve(std::size_t lines);
    void append(const vexor::OscLine& line);

    std::size_t size() const { return m_values[0].size(); }
    bool empty() const { return size() == 0; }
    float value(std::size_t line, int channel) const { return m_values[channel][line]; }
    double seconds(std::size_t line) const { return static_cast<double>(line) * kLineSeconds; }

    // Smallest and largest value of a channel over lines first .. last - 1
    // (first < last <= size()).
    SSpan span(int channel, std::size_t first, std::size_t last) const;

private:
    std::array<std::vector<float>, vexor::kOscChannels> m_values;
    std::array<std::vector<SSpan>, vexor::kOscChannels> m_small;
    std::array<std::vector<SSpan>, vexor::kOscChannels> m_blocks;
};
