#pragma once

#include "diag/Recording.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// Reads a recording file (.osc) into a CRecording: one line of 24 numbers
// per record, separated by blanks or tabs, LF or CR LF line ends, no header.
// A damaged line (too few or too many fields, something that is no finite
// number, binary bytes) ends the reading there: the lines before it are kept
// and its number is reported.
struct SRecordingLoad {
    enum class Status { Complete, Damaged, Cancelled, Unreadable };
    Status status = Status::Unreadable;
    std::size_t lines = 0;       // complete lines read
    std::size_t damagedLine = 0; // 1-based number of the damaged line
    // Why an unreadable file could not be read: the system's error, or 0
    // for a file that is no regular file (a folder, a FIFO, a device).
    int error = 0;
};

namespace vexor {

// Called now and then with the share of the file read (0..1); returning false
// cancels the reading, which leaves the recording empty.
using RecordingProgress = std::function<bool(double fraction)>;

SRecordingLoad loadRecording(const std::string& path, CRecording& recording,
                             const RecordingProgress& progress = {});

// Every complete line of a recording file, in order, with all 24 fields (the
// viewer keeps only nine of them). `sized` hears the file's size first. The
// lines before a damaged one have reached the sink when it is reported.
using RecordingLineSink = std::function<void(const OscLine&)>;
SRecordingLoad readRecordingLines(const std::string& path, const RecordingLineSink& sink,
                                  const RecordingProgress& progress = {},
                                  const std::function<void(std::size_t)>& sized = {});

// One line without its line end; false when it is damaged.
bool parseRecordingLine(std::string_view line, OscLine& out);

// The same over text already in memory.
SRecordingLoad parseRecording(std::string_view text, CRecording& recording);

// What the user is told about a reading (Polish keys).
inline constexpr const char* kRecordingMsgOpen = "Nie można otworzyć pliku zapisu";
inline constexpr const char* kRecordingMsgDamaged = "Uszkodzony wiersz zapisu nr";

// The message, in the current language, for a reading that did not end
// complete: the file that cannot be read, or the number of the damaged line
// where showing stopped. Empty for a complete or cancelled reading.
std::string recordingLoadMessage(const SRecordingLoad& load, const std::string& path);

} // namespace vexor
