#include "SimRequestLog.h"

void CSimRequestLog::add(SimRequest request) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_requests.push_back(std::move(request));
    }
    m_added.notify_all();
}

std::vector<SimRequest> CSimRequestLog::requests() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests;
}

std::vector<SimRequest> CSimRequestLog::requests(SimMatch match) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<SimRequest> out;
    for (const SimRequest& r : m_requests)
        if (match.matches(r.command, r.selector))
            out.push_back(r);
    return out;
}

std::size_t CSimRequestLog::size() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requests.size();
}

std::size_t CSimRequestLog::count(SimMatch match) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::size_t n = 0;
    for (const SimRequest& r : m_requests)
        if (match.matches(r.command, r.selector))
            ++n;
    return n;
}

void CSimRequestLog::clear() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_requests.clear();
}

bool CSimRequestLog::waitFor(std::size_t n, SimMatch match,
                             std::chrono::milliseconds timeout) const {
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_added.wait_for(lock, timeout, [&] {
        std::size_t seen = 0;
        for (const SimRequest& r : m_requests)
            if (match.matches(r.command, r.selector))
                ++seen;
        return seen >= n;
    });
}
