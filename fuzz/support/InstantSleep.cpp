#include "InstantSleep.h"

#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {
thread_local int t_instantDepth = 0;
} // namespace

vexor::fuzz::CInstantSleep::CInstantSleep() {
    ++t_instantDepth;
}

vexor::fuzz::CInstantSleep::~CInstantSleep() {
    --t_instantDepth;
}

// Defined in the executable, so it takes the place of the C library's for the
// code under test (std::this_thread::sleep_for calls it).
extern "C" int nanosleep(const struct timespec* request, struct timespec* remaining) {
    if (t_instantDepth > 0) {
        if (remaining != nullptr) {
            remaining->tv_sec = 0;
            remaining->tv_nsec = 0;
        }
        return 0;
    }
    return static_cast<int>(::syscall(SYS_nanosleep, request, remaining));
}
