#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>

// A pulsed event: signal() wakes the threads waiting at that moment and no one else. A
// thread that starts waiting after a pulse waits for the next one.
class CEvent {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    CEvent() = default;
    CEvent(const CEvent&) = delete;
    CEvent& operator=(const CEvent&) = delete;

    void signal();
    // Returns true when woken by a pulse, false when the time ran out.
    bool wait(uint32_t milliseconds);

private:
    std::mutex m_mutex;
    std::condition_variable m_wake;
    // Each pulse starts a new generation; a waiter leaves once the generation it
    // started in has passed, which also filters spurious wake-ups.
    uint64_t m_generation = 0;
};
