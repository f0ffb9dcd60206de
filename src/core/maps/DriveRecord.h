#pragma once

#include "diag/OscChannels.h"
#include "diag/RecordingLoader.h"

#include <cstdint>
#include <vector>

class CDiag;

namespace vexor {

struct SRecordUnits;

// What the map proposal needs from one record of a drive, in units: the fuel
// the engine ran on, its operating point and what says whether the record
// can be trusted.
struct SDriveRecord {
    std::uint8_t workMode = 0; // 2 petrol, 3 gas, anything else is neither
    bool gasInjecting = false; // some gas injector has a gas time
    double rpm = 0.0;
    // The longest petrol time over the cylinders: the time that picks the
    // map's row, as the live point on the grid does.
    double petrolMs = 0.0;
    double manifoldKpa = 0.0;
    double reducerC = 0.0;
    double lambda1 = 0.0;
    double lambda2 = 0.0;
};

inline constexpr std::uint8_t kDriveOnPetrol = 2;
inline constexpr std::uint8_t kDriveOnGas = 3;

// The record of one recording line.
SDriveRecord driveRecordOf(const OscLine& line);
// The record of a live record, converted as a recording line would be.
SDriveRecord driveRecordOf(const CDiag& record, const SRecordUnits& units);

// The records of one drive in the order they were taken: a recording file,
// or the live history of a connection.
using DriveRun = std::vector<SDriveRecord>;

// Reads a recording file into a run. A damaged line or an unreadable file is
// reported as the oscilloscope reports it (recordingLoadMessage); the run
// then holds the lines before it, which nobody should use.
SRecordingLoad readDriveRun(const std::string& path, DriveRun& run);

} // namespace vexor
