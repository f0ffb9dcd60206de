#pragma once

#include "report/JobSheet.h"

class CLPGDevice;

namespace vexor {

// Reads what the job sheet reports about the moment it is taken: the
// controller's faults (described in the current language) and, when the
// controller has an OBD interface, the car's stored trouble codes found as
// the OBD page finds them. A list that cannot be read is marked unread; the
// failure has been told through the device's prompt.
SJobSheetFindings readJobSheetFindings(CLPGDevice& device);

// The fault text of describeErrors as one entry per line.
std::vector<std::string> faultLines(const std::string& described);

} // namespace vexor
