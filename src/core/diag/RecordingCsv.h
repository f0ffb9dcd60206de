#pragma once

#include "diag/Recording.h"

#include <cstddef>
#include <string>

namespace vexor {

// The unit of a channel as the scale choice names it ("RPM", "ms", "kPa",
// "C", "V"), Polish.
const char* recordingUnit(int channel);

// "mm:ss" below an hour, "h:mm:ss" from an hour on; whole seconds.
std::string recordingClock(double seconds);

// Lines first .. last - 1 of a recording as CSV for a spreadsheet: a header
// line of the column names with their units in the current language, then
// one line per recorded line: its time in seconds and the nine channels in
// their units, comma-separated with a decimal point. False when the file
// cannot be written (it is then left as it was).
bool writeRecordingCsv(const std::string& path, const CRecording& recording, std::size_t first,
                       std::size_t last);

} // namespace vexor
