#pragma once

#include "maps/DriveRecord.h"

#include <cstddef>
#include <mutex>
#include <string>

// The records of the drive on the current connection, for a map proposal
// from "this drive". Filled on the polling thread from each delivered
// record's recording line, read on the user-interface thread; its own lock.
// The oldest records go once it holds kLimit (two hours of polling).
class CDriveHistory {
public:
    static constexpr std::size_t kLimit = 72000;

    // The record's recording line (as the polling thread hands it over).
    void addLine(const std::string& line);
    // A new connection is a new drive.
    void clear();
    vexor::DriveRun snapshot() const;
    std::size_t size() const;

private:
    mutable std::mutex m_lock;
    vexor::DriveRun m_records;
};
