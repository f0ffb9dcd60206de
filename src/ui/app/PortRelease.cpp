#include "app/PortRelease.h"

#include "doc/KorvantisDoc.h"

#include <array>
#include <csignal>
#include <sys/ioctl.h>
#include <sys/resource.h>

namespace vexor {

namespace {

// Highest descriptor number looked at, fixed before any handler can run
// (reading the limit is not safe inside a handler).
int g_descriptorLimit = 1024;

constexpr std::array<int, 5> kCrashSignals = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
std::array<struct sigaction, kCrashSignals.size()> g_previous{};

void onCrash(int signal, siginfo_t* info, void*) {
    releaseTerminals();
    for (std::size_t i = 0; i < kCrashSignals.size(); ++i) {
        if (kCrashSignals[i] == signal)
            ::sigaction(signal, &g_previous[i], nullptr);
    }
    // A fault raised by an instruction repeats when the handler returns and
    // reaches the earlier handling then; a sent or raised signal is raised
    // again.
    if (info == nullptr || info->si_code <= 0 || signal == SIGABRT)
        ::raise(signal);
}

} // namespace

void releaseTerminals() noexcept {
    // Descriptors 0..2 belong to whoever started the program.
    for (int fd = 3; fd < g_descriptorLimit; ++fd)
        (void)::ioctl(fd, TIOCNXCL);
}

void releaseControllerPort(CKorvantisDoc& doc) {
    doc.stopPolling();
    if (!doc.pollingActive())
        doc.serialPort().close();
    releaseTerminals();
}

void releaseTerminalsOnCrash() {
    struct rlimit limit {};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        g_descriptorLimit = static_cast<int>(limit.rlim_cur < 65536 ? limit.rlim_cur : 65536);
    struct sigaction action {};
    action.sa_sigaction = onCrash;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < kCrashSignals.size(); ++i)
        ::sigaction(kCrashSignals[i], &action, &g_previous[i]);
}

} // namespace vexor
