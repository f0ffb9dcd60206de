#include "maps/DriveHistory.h"

#include "diag/RecordingLoader.h"

void CDriveHistory::addLine(const std::string& line) {
    vexor::OscLine fields{};
    if (!vexor::parseRecordingLine(line, fields))
        return;
    const vexor::SDriveRecord record = vexor::driveRecordOf(fields);
    std::lock_guard<std::mutex> guard(m_lock);
    if (m_records.size() >= kLimit)
        m_records.erase(m_records.begin(), m_records.begin() + kLimit / 10);
    m_records.push_back(record);
}

void CDriveHistory::clear() {
    std::lock_guard<std::mutex> guard(m_lock);
    m_records.clear();
}

vexor::DriveRun CDriveHistory::snapshot() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_records;
}

std::size_t CDriveHistory::size() const {
    std::lock_guard<std::mutex> guard(m_lock);
    return m_records.size();
}
