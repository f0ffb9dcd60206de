#pragma once

#include <cstdint>
#include <optional>

// The lambda bar: nine segments from lean (left) to rich (right), one of them
// lit for the current probe voltage.
namespace vexor {

inline constexpr int kLambdaSegments = 9;

// The lit segment (0 .. 8) for a probe voltage and the settings' lambda
// sensor type: 1 a 0-1 V probe, 2 and 3 a 0-5 V probe, 4 and 5 a falling
// 5-0 V probe, 6 a 0.8-1.6 V probe; any other type lights segment 0.
int lambdaSegment(double volts, int lambdaType);

// Colours of the lit segments (0xRRGGBB): the two leanest yellow, the richest
// red, the others green. Unlit segments are black.
std::uint32_t lambdaSegmentColour(int segment);
inline constexpr std::uint32_t kLambdaBackground = 0xA0A0FF;
inline constexpr std::uint32_t kLambdaUnlit = 0x000000;

} // namespace vexor

// What the bar shows and what must be repainted when a new voltage arrives:
// nothing while the voltage rounded to one decimal stays the same, otherwise
// the previously lit segment and the newly lit one.
class CLambdaBarModel {
public:
    struct Repaint {
        int oldSegment = 0;
        int newSegment = 0;
    };

    explicit CLambdaBarModel(int lambdaType = 1) : m_type(lambdaType) {}

    // The settings' sensor type changed: the lit segment follows at the next
    // voltage.
    void setType(int lambdaType);
    int type() const { return m_type; }

    // A new probe voltage; the segments to repaint, if any.
    std::optional<Repaint> setValue(double volts);

    int litSegment() const { return m_segment; }

private:
    int m_type;
    int m_segment = 0;
    std::optional<double> m_shown; // last voltage taken, rounded to one decimal
};
