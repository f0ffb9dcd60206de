#pragma once

#include "diag/ChoiceList.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class CDiag;

namespace vexor {

struct SRecordUnits;

// The nine quantities the oscilloscope plots, in series order. Every sample
// is stored as a percentage of its channel's full scale, so all traces share
// one vertical axis from 0 to 100.
struct SOscChannel {
    int checkBoxId;       // the check box that shows or hides the trace
    const char* label;    // its Polish label
    double fullScale;     // the value drawn at 100 %
    std::uint32_t colour; // 0x00BBGGRR, the quantity's colour in the main view too
};

inline constexpr int kOscChannels = 9;
using OscSample = std::array<float, kOscChannels>;

std::span<const SOscChannel> oscChannels();

// The percentages of a live record: engine speed, petrol and gas injection
// time of injector channel 0, gas and manifold pressure, gas and reducer
// temperature, both lambda voltages.
OscSample oscSampleFromRecord(const CDiag& record, const SRecordUnits& units);

// A line of a recording file: work mode, engine speed, (petrol, gas) time of
// cylinders 1..8, gas and manifold pressure, gas and reducer temperature,
// lambda 1 and 2.
inline constexpr int kOscLineFields = 24;
using OscLine = std::array<double, kOscLineFields>;
OscSample oscSampleFromLine(const OscLine& line);

// The vertical scale's units: values of the scale choice.
enum OscScale : int {
    OscScaleMs = 0,
    OscScaleRpm = 1,
    OscScaleKpa = 2,
    OscScaleC = 3,
    OscScaleV = 4
};
inline constexpr int kOscScaleLabels = 11;

// The scale choice's entries, translated: "RPM", "ms", "kPa", "C", "V".
std::vector<CChoiceList::Item> oscScaleItems();
// The texts of the scale's labels, bottom (0 %) to top (100 %).
std::array<std::string, kOscScaleLabels> oscScaleLabels(int scale);

} // namespace vexor
