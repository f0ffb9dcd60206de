#include "threads/ThreadManager.h"

#include "threads/MutexGuard.h"

CThreadManager::CThreadManager() : m_finished(std::make_shared<CFinishedQueue>()) {}

CThreadManager::~CThreadManager() = default;

size_t CThreadManager::count() {
    CMutexGuard guard(m_lock);
    return m_threads.size();
}
