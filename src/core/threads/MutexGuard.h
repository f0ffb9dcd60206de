#pragma once

#include "threads/Mutex.h"

// Holds a CMutex for its lifetime; a null mutex makes it a no-op.
class CMutexGuard {
public:
    explicit CMutexGuard(CMutex* mutex) : m_mutex(mutex) {
        if (m_mutex)
            m_mutex->lock();
    }
    explicit CMutexGuard(CMutex& mutex) : CMutexGuard(&mutex) {}
    ~CMutexGuard() {
        if (m_mutex)
            m_mutex->unlock();
    }
    CMutexGuard(const CMutexGuard&) = delete;
    CMutexGuard& operator=(const CMutexGuard&) = delete;

private:
    CMutex* m_mutex;
};
