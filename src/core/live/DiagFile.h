#pragma once

#include "device/DeviceSettings.h"
#include "device/Diag.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vexor {

// The settings a recording line needs to turn raw bytes into units: the
// manifold sensor kind and the temperature-table columns of the two sensors.
struct SRecordUnits {
    std::uint8_t advancedFlags = 0;
    std::uint8_t advancedFlags2 = 0;
    int gasTemprColumn = 0;
    int reducerTemprColumn = 0;

    static SRecordUnits fromSettings(const DeviceSettings& settings);
};

// The 24 fields of a recording line, each written as the line has it (the
// engine speed padded to four places): work mode, engine speed, petrol and
// gas time of all eight injectors, gas and manifold pressure, gas and
// reducer temperature, both lambda voltages. Always with a decimal point.
using RecordFields = std::array<std::string, 24>;
RecordFields recordFields(const CDiag& record, const SRecordUnits& units);

// One recording line without its line end: the fields, tab-separated.
std::string recordLine(const CDiag& record, const SRecordUnits& units);

} // namespace vexor

// The recording file of the oscilloscope (.osc): one line per live record,
// no header. Written on the polling thread only.
//
// A recording is never left with a torn line: each line goes out in one
// write, and a line the disk took only in part is cut off again, so the file
// always ends with the last whole line. Only a regular file (or a new one) is
// written; a FIFO, device, directory or socket is refused.
class CDiagFile {
public:
    CDiagFile() = default;
    virtual ~CDiagFile();
    CDiagFile(const CDiagFile&) = delete;
    CDiagFile& operator=(const CDiagFile&) = delete;

    // Opens path for writing (created or emptied; appended to when append is
    // set, as a recording that goes on after a reconnection) or for reading.
    // An empty path opens nothing. On failure the path is cleared and false
    // returned; error() then holds the errno.
    bool open(const std::string& path, bool write, bool append = false);
    void close();
    bool isOpen() const { return m_file != nullptr || m_fd >= 0; }
    const std::string& path() const { return m_path; }
    bool writing() const { return m_write; }

    // Appends the record's line and a "\n"; false when the file is not open
    // for writing or the line could not be written whole.
    bool writeRecord(const CDiag& record, const vexor::SRecordUnits& units);
    // Appends a line made elsewhere (recordLine) and a "\n".
    bool writeLine(const std::string& line);
    // The errno of the last failed open or write; 0 when none failed.
    int error() const { return m_error; }

private:
    bool m_write = false;
    std::FILE* m_file = nullptr; // reading
    int m_fd = -1;               // writing
    std::string m_path;
    int m_error = 0;
};
