#pragma once

#include "SimMatch.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

// One request frame the simulator received (with a good check sum).
struct SimRequest {
    uint8_t command = 0;
    int selector = -1;      // payload byte 0 of a command-2 request, otherwise -1
    uint16_t parameter = 0; // payload bytes 2..3 of a command-2 request, low byte first
    std::vector<uint8_t> payload;
    std::chrono::steady_clock::time_point received;
};

// Every request received, in order, for tests to inspect. Thread-safe.
class CSimRequestLog {
public:
    void add(SimRequest request);
    std::vector<SimRequest> requests() const;
    // Requests that match, in order.
    std::vector<SimRequest> requests(SimMatch match) const;
    std::size_t size() const;
    std::size_t count(SimMatch match) const;
    void clear();
    // Waits until at least n requests matching `match` are logged; false on time-out.
    bool waitFor(std::size_t n, SimMatch match, std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_added;
    std::vector<SimRequest> m_requests;
};
