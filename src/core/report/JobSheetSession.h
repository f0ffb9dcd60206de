#pragma once

#include "report/JobSheet.h"

#include <map>
#include <string>

class CLPGDevice;

// What the window program remembers between two job sheets of one program
// run: the faults and trouble codes found the first time a sheet was made
// for a controller (by serial number), which later sheets show as found at
// connection beside what they read anew.
class CJobSheetSession {
public:
    // Reads the findings now; the first reading of a controller is kept as
    // its findings at connection. Returns {at connection, now}.
    std::pair<SJobSheetFindings, SJobSheetFindings> read(CLPGDevice& device);

    void forget() { m_first.clear(); }

private:
    std::map<std::string, SJobSheetFindings> m_first;
};
