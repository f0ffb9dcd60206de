#pragma once

#include "diag/OscChannels.h"

#include <cstdio>
#include <string>

// Reads a recording file (.osc) line by line as the oscilloscope shows it:
// any whitespace-separated numbers, 24 to a record. Reading ends at the
// first number that is missing or is no finite number, so a file cut off or
// damaged half way yields the records before the damage.
class COscRecordingReader {
public:
    COscRecordingReader() = default;
    ~COscRecordingReader();
    COscRecordingReader(const COscRecordingReader&) = delete;
    COscRecordingReader& operator=(const COscRecordingReader&) = delete;

    // False when the file cannot be opened for reading.
    bool open(const std::string& path);
    void close();
    bool isOpen() const { return m_file != nullptr; }

    // The next complete record; false at the end of the readable records.
    bool next(vexor::OscLine& line);

private:
    std::FILE* m_file = nullptr;
};
