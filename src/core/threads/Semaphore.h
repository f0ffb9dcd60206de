#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Counting semaphore. up(n) adds n counts, down() takes one, waiting while there is none.
class CSemaphore {
public:
    static constexpr long kMaximum = 0x7FFFFFFF;

    explicit CSemaphore(long initial = 0);
    CSemaphore(const CSemaphore&) = delete;
    CSemaphore& operator=(const CSemaphore&) = delete;

    void down();
    // Takes one count if one arrives within the time; false when the time ran out.
    bool down(uint32_t milliseconds);
    // Releases n counts (n >= 1). Going beyond kMaximum is refused and changes nothing.
    void up(long n = 1);

private:
    std::mutex m_mutex;
    std::condition_variable m_available;
    long m_count;
};
