#pragma once

#include "report/JobSheet.h"

#include <map>
#include <string>

class CLPGDevice;

// What the window program remembers for the job sheets of one visit (one
// program run): the faults and trouble codes each controller (by serial
// number) had when it was connected, which the sheets show as found at
// connection beside what they read anew. A fault fixed during the visit so
// stays on the customer's record.
class CJobSheetSession {
public:
    // A controller was connected: its findings are read and kept, unless the
    // visit already holds a reading of the same controller (a reconnection
    // keeps the first). A port error on the way is the caller's.
    void connected(CLPGDevice& device);
    // Reads the findings now; a controller with no reading kept yet gets
    // this one as its findings at connection. Returns {at connection, now}.
    std::pair<SJobSheetFindings, SJobSheetFindings> read(CLPGDevice& device);
    bool knows(const std::string& serial) const { return m_first.count(serial) != 0; }

    void forget() { m_first.clear(); }

private:
    std::map<std::string, SJobSheetFindings> m_first;
};
