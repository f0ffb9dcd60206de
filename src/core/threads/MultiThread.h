#pragma once

#include "threads/ThreadManager.h"

#include <cstdint>

// A thread pool: it starts the threads given to it, owns them, and has its recycle
// thread delete each one after its run() has returned.
class CMultiThread : public CThreadManager {
public:
    static constexpr uint32_t kCloseWaitMs = 2000;

    // closeWaitMs bounds how long destroying the pool waits for its threads to finish.
    explicit CMultiThread(uint32_t closeWaitMs = kCloseWaitMs);
    // Closes the pool: threads that finish within the close wait are deleted; a thread
    // still running after it (blocked for good, say) is let go and deletes itself
    // whenever it finishes, without touching the pool.
    virtual ~CMultiThread();

    // Starts the thread and takes it over; it is deleted after its run() returns. On a
    // failed start (CThreadError code -2) the thread is deleted too.
    void add(std::unique_ptr<CSemThread> thread);
    // Marks the pool closing and waits, without a time limit, until every other thread
    // has finished and the recycle thread has ended. While other threads are still
    // running, the outer lock (if given) is released for the wait so they can finish.
    void shutdown(CMutex* outer = nullptr);

private:
    friend class CRecycleThread;

    void start(std::unique_ptr<CSemThread> thread, CThread::Function entry);
    bool closingAndAlone();
    CFinishedQueue& finishedQueue() { return *m_finished; }
    // Takes the oldest finished thread out of the owned list; null when none is waiting.
    std::unique_ptr<CSemThread> takeFinished();
    // True when every owned thread but the recycler has finished.
    bool othersFinished();

    static void poolEntry(void* thread);
    static void recycleEntry(void* thread);

    uint32_t m_closeWaitMs;
};
