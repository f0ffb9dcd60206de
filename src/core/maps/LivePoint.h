#pragma once

#include "maps/MapGeometry.h"

#include <cstdint>

class CDiag;

// Where the engine runs on the injection map: the cell of the current engine
// speed and petrol injection time.
namespace vexor {

// Bit of m_corrMap.m_flags: the petrol-time axis counts half-milliseconds,
// so the live time is doubled before it picks a row.
inline constexpr std::uint8_t kCorrMapHalfMs = 0x01;

// trunc(rpm / 500 - 1), kept to 0..14. A speed that is no number or not
// finite (a stopped engine has no period to divide by) lands in column 0.
int mapColumnForRpm(double rpm);
// floor(t) - 1, kept to 0..18, t being the petrol time in ms (doubled with
// kCorrMapHalfMs); a time that is no finite number lands in row 0.
int mapRowForPetrolTime(double petrolMs, std::uint8_t corrMapFlags);
SCellIndex mapCellFor(double rpm, double petrolMs, std::uint8_t corrMapFlags);

struct SLivePoint {
    double rpm = 0.0;
    double petrolMs = 0.0;
    int channel = 0; // injector channel the time was taken from
};

// The operating point of a live record: the longest petrol time over the
// channels of the record's gas injectors (two channels each, 0 .. 2N - 1;
// the first channel wins a tie, 0 ms at channel 0 when there are none), each
// channel's time rounded to two decimals; and the engine speed from the
// ignition period (0 while the period is 0).
SLivePoint livePointOf(const CDiag& record, int injectorCount);

} // namespace vexor
