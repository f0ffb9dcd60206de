#pragma once

#include "threads/Event.h"
#include "threads/FinishedQueue.h"
#include "threads/Mutex.h"
#include "threads/SemThread.h"

#include <atomic>
#include <list>
#include <memory>

class CRecycleThread;

// The state of a thread pool: the owned threads, the queue of finished ones, and the
// locks between them. The operations live in CMultiThread.
class CThreadManager {
public:
    CThreadManager(const CThreadManager&) = delete;
    CThreadManager& operator=(const CThreadManager&) = delete;

    // Number of owned threads, the recycle thread included.
    size_t count();

protected:
    CThreadManager();
    ~CThreadManager();

    bool m_closing = false;
    std::list<std::unique_ptr<CSemThread>> m_threads;
    std::shared_ptr<CFinishedQueue> m_finished;
    CEvent m_event;
    CMutex m_lock; // guards m_threads and m_closing
    CRecycleThread* m_recycler = nullptr;
    std::atomic<bool> m_recycleEnded{false};
};
