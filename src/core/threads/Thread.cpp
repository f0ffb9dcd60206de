#include "threads/Thread.h"

#include "threads/ThreadError.h"

#include <system_error>

CThread::~CThread() {
    if (!m_thread.joinable())
        return;
    if (m_thread.get_id() == std::this_thread::get_id())
        m_thread.detach();
    else
        m_thread.join();
}

void CThread::create(void* argument, Function entry) {
    if (m_started)
        vexor::throwThreadError(CThreadError::kCreateError, "CThread::create()", __LINE__,
                                __FILE__);
    try {
        if (m_function)
            m_thread = std::thread(m_function, argument ? argument : static_cast<void*>(this));
        else
            m_thread =
                std::thread(entry ? entry : &CThread::defaultEntry, static_cast<void*>(this));
    } catch (const std::system_error&) {
        vexor::throwThreadError(CThreadError::kCreateError, "CThread::create()", __LINE__,
                                __FILE__);
    }
    m_started = true;
}

void CThread::join() {
    if (m_thread.joinable() && m_thread.get_id() != std::this_thread::get_id())
        m_thread.join();
}

void CThread::detach() {
    if (m_thread.joinable())
        m_thread.detach();
}

void CThread::defaultEntry(void* self) {
    static_cast<CThread*>(self)->run();
}
