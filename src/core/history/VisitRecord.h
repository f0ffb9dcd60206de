#pragma once

#include <string>
#include <vector>

class CKorvantisDoc;

namespace vexor {

// Adds an event to the visit log of the controller the document is connected
// to; nothing in demonstration mode or without a controller. The log is a
// record of the work, never a reason to stop it: a failure is passed over.
void recordVisitEvent(const CKorvantisDoc& doc, const std::string& kind,
                      const std::vector<std::string>& fields);
// "connected" with the program's version and the controller's.
void recordConnection(const CKorvantisDoc& doc, const std::string& programVersion);
// One "fault" per non-empty line of the decoded fault text.
void recordFaults(const CKorvantisDoc& doc, const std::string& faultText);

} // namespace vexor
