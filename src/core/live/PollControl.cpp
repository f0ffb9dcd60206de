#include "live/PollControl.h"

long long CPollControl::nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void CPollControl::enter() {
    std::lock_guard<std::mutex> guard(m_mutex);
    ++m_active;
}

void CPollControl::leave() {
    std::lock_guard<std::mutex> guard(m_mutex);
    if (m_active > 0)
        --m_active;
    if (m_active == 0)
        m_idle.notify_all();
}

int CPollControl::activeThreads() const {
    std::lock_guard<std::mutex> guard(m_mutex);
    return m_active;
}

bool CPollControl::waitIdle(std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_idle.wait_for(lock, timeout, [this] { return m_active == 0; });
}
