#pragma once

#include "device/Diag.h"
#include "threads/Mutex.h"

#include <vector>

// The bounded live history, oldest record first. The poller appends, the user
// interface reads; every operation holds the history's own lock throughout, so
// a reader never sees a half-written record.
class CDiagData {
public:
    // Past this many records the oldest kTrimCount are dropped before the next
    // append, so the history never holds more than kMaxCount + 1.
    static constexpr int kMaxCount = 500;
    static constexpr int kTrimCount = 250;

    CDiagData() = default;
    CDiagData(const CDiagData&) = delete;
    CDiagData& operator=(const CDiagData&) = delete;
    virtual ~CDiagData() = default;

    void append(const CDiag& record);
    int count() const;
    // Copies the newest record into out; false (out untouched) when empty.
    bool latest(CDiag& out) const;
    // Appends records from .. min(to, count) - 1 to out. A negative from starts
    // at the oldest record; nothing when from >= count or to <= from.
    void copyRange(std::vector<CDiag>& out, int from, int to) const;
    void clear();

private:
    mutable CMutex m_mutex;
    std::vector<CDiag> m_records;
};
