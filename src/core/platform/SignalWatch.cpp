#include "platform/SignalWatch.h"

#include "platform/TtyIoctl.h"

#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <string>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

int g_pipe[2] = {-1, -1};
std::atomic<int> g_count{0};
static_assert(std::atomic<int>::is_always_lock_free);

void onSignal(int signal) {
    const int saved = errno;
    g_count.fetch_add(1, std::memory_order_relaxed);
    const unsigned char number = static_cast<unsigned char>(signal);
    // A full pipe only means enough signals are already waiting.
    (void)!::write(g_pipe[1], &number, 1);
    errno = saved;
}

} // namespace

CSignalWatch::CSignalWatch() {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    g_count = 0;
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking wait returns with EINTR and looks again.
    m_active = true;
    for (int i = 0; i < 3; ++i)
        m_active = ::sigaction(kSignals[i], &action, &m_old[i]) == 0 && m_active;
}

CSignalWatch::~CSignalWatch() {
    if (g_pipe[0] < 0)
        return;
    for (int i = 0; i < 3; ++i)
        ::sigaction(kSignals[i], &m_old[i], nullptr);
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

int CSignalWatch::readFd() const {
    return g_pipe[0];
}

int CSignalWatch::take(int timeoutMs) {
    if (g_pipe[0] < 0)
        return 0;
    pollfd fd{g_pipe[0], POLLIN, 0};
    const int ready = ::poll(&fd, 1, timeoutMs);
    if (ready <= 0)
        return 0;
    unsigned char number = 0;
    return ::read(g_pipe[0], &number, 1) == 1 ? number : 0;
}

int CSignalWatch::count() {
    return g_count.load();
}

namespace vexor {

void releaseExclusiveTerminals() {
    DIR* folder = ::opendir("/proc/self/fd");
    if (folder == nullptr)
        return;
    const int own = ::dirfd(folder);
    while (const dirent* entry = ::readdir(folder)) {
        char* end = nullptr;
        const long fd = std::strtol(entry->d_name, &end, 10);
        if (end == entry->d_name || *end != '\0' || fd == own)
            continue;
        if (::isatty(static_cast<int>(fd)))
            (void)vexor::tty::releaseExclusive(static_cast<int>(fd));
    }
    ::closedir(folder);
}

} // namespace vexor
