#include "threads/Event.h"

#include "threads/ThreadError.h"

#include <chrono>
#include <system_error>

void CEvent::signal() {
    try {
        std::lock_guard lock(m_mutex);
        ++m_generation;
        m_wake.notify_all();
    } catch (const std::system_error&) {
        vexor::throwThreadError(CThreadError::kLibraryError, "CEvent::signal()", __LINE__,
                                __FILE__);
    }
}

bool CEvent::wait(uint32_t milliseconds) {
    try {
        std::unique_lock lock(m_mutex);
        const uint64_t start = m_generation;
        const auto pulsed = [&] { return m_generation != start; };
        if (milliseconds == kInfinite) {
            m_wake.wait(lock, pulsed);
            return true;
        }
        return m_wake.wait_for(lock, std::chrono::milliseconds(milliseconds), pulsed);
    } catch (const std::system_error&) {
        vexor::throwThreadError(CThreadError::kLibraryError, "CEvent::wait()", __LINE__, __FILE__);
    }
}
