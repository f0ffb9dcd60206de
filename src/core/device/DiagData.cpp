#include "device/DiagData.h"

#include "threads/MutexGuard.h"

#include <algorithm>

void CDiagData::append(const CDiag& record) {
    CMutexGuard guard(m_mutex);
    if (m_records.size() > static_cast<std::size_t>(kMaxCount))
        m_records.erase(m_records.begin(), m_records.begin() + kTrimCount);
    m_records.push_back(record);
}

int CDiagData::count() const {
    CMutexGuard guard(m_mutex);
    return static_cast<int>(m_records.size());
}

bool CDiagData::latest(CDiag& out) const {
    CMutexGuard guard(m_mutex);
    if (m_records.empty())
        return false;
    out = m_records.back();
    return true;
}

void CDiagData::copyRange(std::vector<CDiag>& out, int from, int to) const {
    CMutexGuard guard(m_mutex);
    const int size = static_cast<int>(m_records.size());
    const int begin = std::max(from, 0);
    const int end = std::min(to, size);
    if (begin >= end)
        return;
    out.insert(out.end(), m_records.begin() + begin, m_records.begin() + end);
}

void CDiagData::clear() {
    CMutexGuard guard(m_mutex);
    m_records.clear();
}
