#include "threads/FinishedQueue.h"

#include "threads/MutexGuard.h"

bool CFinishedQueue::push(CSemThread* thread) {
    {
        CMutexGuard guard(m_lock);
        if (m_closed)
            return false;
        m_threads.push_back(thread);
    }
    m_count.up(1);
    return true;
}

CSemThread* CFinishedQueue::pop() {
    CMutexGuard guard(m_lock);
    if (m_threads.empty())
        return nullptr;
    CSemThread* thread = m_threads.front();
    m_threads.pop_front();
    return thread;
}

void CFinishedQueue::close(
    const std::function<void(const std::vector<CSemThread*>& queued)>& letGo) {
    CMutexGuard guard(m_lock);
    m_closed = true;
    std::vector<CSemThread*> threads(m_threads.begin(), m_threads.end());
    m_threads.clear();
    if (letGo)
        letGo(threads);
}

size_t CFinishedQueue::size() {
    CMutexGuard guard(m_lock);
    return m_threads.size();
}
