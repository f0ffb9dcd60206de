#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

// What the document shares with its live-data polling threads. It belongs to
// the document and outlives every polling thread the document started: the
// document waits for them to end (waitIdle) before it goes away.
class CPollControl {
public:
    CPollControl() = default;
    CPollControl(const CPollControl&) = delete;
    CPollControl& operator=(const CPollControl&) = delete;

    // Set by the user-interface thread to keep a run going, cleared to end it;
    // a polling thread looks at it once per poll.
    std::atomic<bool> running{false};
    // Failed live reads in a row. One counter for the whole program run rather
    // than one per thread: only a successful read resets it, so a run started
    // after one that ended for failures ends at its first failed read.
    std::atomic<int> failures{0};

    // The recording of the current run, which goes on across reconnections:
    // lines written so far, the most it may hold (0: no limit), and the errno
    // of a failed open or write (0: none; recording has stopped when set).
    std::atomic<long> recordedLines{0};
    std::atomic<long> recordLimit{0};
    std::atomic<int> recordError{0};

    // When the last live record arrived (steady clock, milliseconds), and
    // whether the last run ended because the link failed rather than because
    // it was asked to stop. Together they tell a silent or dropped link from
    // one that is merely paused for a long command.
    std::atomic<long long> lastRecordMs{0};
    std::atomic<bool> endedOnFailure{false};
    static long long nowMs();

    // A polling thread counts itself in before it is started and out as the
    // last thing it does with anything the document owns.
    void enter();
    void leave();
    int activeThreads() const;
    // Waits until no polling thread is active; false when the time ran out.
    bool waitIdle(std::chrono::milliseconds timeout) const;

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_idle;
    int m_active = 0;
};
