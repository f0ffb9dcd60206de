#include "threads/MultiThread.h"

#include "threads/MutexGuard.h"
#include "threads/RecycleThread.h"

#include <algorithm>
#include <chrono>
#include <vector>

namespace {

// Waits on the pool event in slices so a pulse sent just before the wait began cannot
// leave the waiter hanging: the condition is looked at again after every slice.
constexpr uint32_t kWaitSliceMs = 20;

} // namespace

CMultiThread::CMultiThread(uint32_t closeWaitMs) : m_closeWaitMs(closeWaitMs) {
    auto recycler = std::make_unique<CRecycleThread>();
    m_recycler = recycler.get();
    start(std::move(recycler), &CMultiThread::recycleEntry);
}

CMultiThread::~CMultiThread() {
    {
        CMutexGuard guard(m_lock);
        m_closing = true;
    }
    m_finished->wake();

    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(m_closeWaitMs);
    while (!othersFinished() && std::chrono::steady_clock::now() < deadline)
        m_event.wait(kWaitSliceMs);

    // Whatever finished and is still queued is deleted here; whatever still runs is let
    // go, and from now on a finishing thread deletes itself instead of queueing.
    std::vector<std::unique_ptr<CSemThread>> finished;
    {
        CMutexGuard guard(m_lock);
        m_finished->close([&](const std::vector<CSemThread*>& queued) {
            for (auto& owned : m_threads) {
                if (owned.get() == m_recycler)
                    continue;
                if (std::find(queued.begin(), queued.end(), owned.get()) != queued.end()) {
                    finished.push_back(std::move(owned));
                } else {
                    owned->detach();
                    (void)owned.release();
                }
            }
        });
        std::erase_if(m_threads, [](const auto& owned) { return !owned; });
    }
    m_finished->wake();
    if (m_recycler)
        m_recycler->join();
    finished.clear();
    m_threads.clear();
}

void CMultiThread::add(std::unique_ptr<CSemThread> thread) {
    if (thread)
        start(std::move(thread), &CMultiThread::poolEntry);
}

void CMultiThread::shutdown(CMutex* outer) {
    bool released = false;
    {
        CMutexGuard guard(m_lock);
        m_closing = true;
        if (m_threads.size() > 1 && outer) {
            outer->unlock();
            released = true;
        }
        if (m_threads.size() == 1)
            m_finished->wake();
    }
    while (!m_recycleEnded)
        m_event.wait(kWaitSliceMs);
    if (released)
        outer->lock();
}

void CMultiThread::start(std::unique_ptr<CSemThread> thread, CThread::Function entry) {
    // The pool lock is held until the thread is in the owned list, so the recycler cannot
    // look for a thread that finished before it was listed.
    CMutexGuard guard(m_lock);
    CSemThread* raw = thread.get();
    raw->m_owner = this;
    raw->m_finished = m_finished;
    m_threads.push_back(std::move(thread));
    try {
        raw->create(raw, entry);
    } catch (...) {
        m_threads.pop_back();
        throw;
    }
}

bool CMultiThread::closingAndAlone() {
    CMutexGuard guard(m_lock);
    return m_closing && m_threads.size() == 1;
}

std::unique_ptr<CSemThread> CMultiThread::takeFinished() {
    CMutexGuard guard(m_lock);
    CSemThread* done = m_finished->pop();
    if (!done)
        return nullptr;
    auto it = std::find_if(m_threads.begin(), m_threads.end(),
                           [&](const auto& owned) { return owned.get() == done; });
    if (it == m_threads.end())
        return nullptr;
    std::unique_ptr<CSemThread> owned = std::move(*it);
    m_threads.erase(it);
    return owned;
}

bool CMultiThread::othersFinished() {
    CMutexGuard guard(m_lock);
    return m_threads.size() <= 1 + m_finished->size();
}

void CMultiThread::poolEntry(void* arg) {
    auto* thread = static_cast<CSemThread*>(arg);
    // Kept locally: after the pool has let this thread go, the queue may be the last thing
    // that outlives the pool.
    const std::shared_ptr<CFinishedQueue> finished = thread->m_finished;
    thread->run();
    if (!finished->push(thread))
        delete thread;
}

void CMultiThread::recycleEntry(void* arg) {
    auto* thread = static_cast<CSemThread*>(arg);
    CMultiThread* pool = thread->owner();
    thread->run();
    pool->m_recycleEnded = true;
    pool->m_event.signal();
}
