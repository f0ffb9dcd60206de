#pragma once

#include "threads/Mutex.h"
#include "threads/Semaphore.h"

#include <deque>
#include <functional>
#include <vector>

class CSemThread;

// Finished pool threads waiting to be deleted, with the semaphore that counts them. A
// finishing thread only needs this queue's lock, never the pool lock.
class CFinishedQueue {
public:
    // Queues a thread whose run() has returned and wakes the recycler. Returns false, and
    // queues nothing, once the pool has closed and no longer takes threads back.
    bool push(CSemThread* thread);
    // The oldest finished thread, or null when none is waiting.
    CSemThread* pop();
    // Waits for a finished thread or a wake-up.
    void waitForWork() { m_count.down(); }
    void wake() { m_count.up(1); }
    // Empties the queue and refuses later pushes. letGo gets the queued threads and runs
    // under the queue lock, so no thread can finish meanwhile: one that finishes
    // afterwards sees the refusal.
    void close(const std::function<void(const std::vector<CSemThread*>& queued)>& letGo);
    size_t size();

private:
    CMutex m_lock;
    std::deque<CSemThread*> m_threads;
    CSemaphore m_count{0};
    bool m_closed = false;
};
