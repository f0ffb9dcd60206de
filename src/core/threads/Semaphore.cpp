#include "threads/Semaphore.h"

#include "threads/ThreadError.h"

#include <chrono>
#include <system_error>

CSemaphore::CSemaphore(long initial) : m_count(initial) {
    if (initial < 0 || initial > kMaximum)
        vexor::throwThreadError(CThreadError::kLibraryError, "CSemaphore::CSemaphore()", __LINE__,
                                __FILE__);
}

void CSemaphore::down() {
    try {
        std::unique_lock lock(m_mutex);
        m_available.wait(lock, [&] { return m_count > 0; });
        --m_count;
    } catch (const std::system_error&) {
        vexor::throwThreadError(CThreadError::kLibraryError, "CSemaphore::down()", __LINE__,
                                __FILE__);
    }
}

bool CSemaphore::down(uint32_t milliseconds) {
    try {
        std::unique_lock lock(m_mutex);
        if (!m_available.wait_for(lock, std::chrono::milliseconds(milliseconds),
                                  [&] { return m_count > 0; }))
            return false;
        --m_count;
        return true;
    } catch (const std::system_error&) {
        vexor::throwThreadError(CThreadError::kLibraryError, "CSemaphore::down()", __LINE__,
                                __FILE__);
    }
}

void CSemaphore::up(long n) {
    bool refused = false;
    try {
        std::lock_guard lock(m_mutex);
        if (n < 1 || n > kMaximum - m_count) {
            refused = true;
        } else {
            m_count += n;
            if (n == 1)
                m_available.notify_one();
            else
                m_available.notify_all();
        }
    } catch (const std::system_error&) {
        refused = true;
    }
    if (refused)
        vexor::throwThreadError(CThreadError::kLibraryError, "CSemaphore::up()", __LINE__,
                                __FILE__);
}
