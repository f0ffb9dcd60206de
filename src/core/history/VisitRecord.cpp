#include "history/VisitRecord.h"

#include "doc/KorvantisDoc.h"
#include "history/VisitLog.h"

#include <ctime>

namespace vexor {

void recordVisitEvent(const CKorvantisDoc& doc, const std::string& kind,
                      const std::vector<std::string>& fields) {
    if (doc.isDemo() || !doc.isConnected())
        return;
    std::string error;
    (void)CVisitLog(doc.dataFolder())
        .record(doc.settings().m_devInfo.m_serial, std::time(nullptr), kind, fields, error);
}

void recordConnection(const CKorvantisDoc& doc, const std::string& programVersion) {
    const std::int32_t v = doc.settings().m_devInfo.m_version;
    recordVisitEvent(
        doc, "connected",
        {programVersion, std::to_string((v >> 8) & 0xFF) + "." + std::to_string(v & 0xFF)});
}

void recordFaults(const CKorvantisDoc& doc, const std::string& faultText) {
    std::size_t start = 0;
    while (start < faultText.size()) {
        std::size_t end = faultText.find('\n', start);
        if (end == std::string::npos)
            end = faultText.size();
        std::string line = faultText.substr(start, end - start);
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty())
            recordVisitEvent(doc, "fault", {line});
        start = end + 1;
    }
}

} // namespace vexor
