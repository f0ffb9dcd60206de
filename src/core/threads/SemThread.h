#pragma once

#include "threads/Thread.h"

#include <memory>

class CMultiThread;
class CFinishedQueue;

// A thread that a pool (CMultiThread) starts, owns and deletes once it has finished.
class CSemThread : public CThread {
public:
    CSemThread() = default;

    // The pool that started the thread; null before it is added to one.
    CMultiThread* owner() const { return m_owner; }

private:
    friend class CMultiThread;

    CMultiThread* m_owner = nullptr;
    // Where the thread reports that it has finished. Shared, so that a thread the pool
    // had to let go at its close can still report safely after the pool is gone.
    std::shared_ptr<CFinishedQueue> m_finished;
};
