#pragma once

namespace vexor::fuzz {

// While one of these lives on a thread, a sleep on that thread returns at once
// (InstantSleep.cpp replaces nanosleep). The retry pauses of the link layer
// would otherwise hold most runs for tens of milliseconds; other threads, the
// fuzzer's own included, keep their real sleeps.
class CInstantSleep {
public:
    CInstantSleep();
    ~CInstantSleep();
    CInstantSleep(const CInstantSleep&) = delete;
    CInstantSleep& operator=(const CInstantSleep&) = delete;
};

} // namespace vexor::fuzz
