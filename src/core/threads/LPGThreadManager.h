#pragma once

#include "threads/MultiThread.h"

// The application's thread pool, in which the live-data polling thread runs.
class CLPGThreadManager : public CMultiThread {
public:
    CLPGThreadManager() = default;
    ~CLPGThreadManager() override = default;

    // The one pool of the process, built on first use and closed at normal exit.
    static CLPGThreadManager& instance();

    // Ends the process at once with the given exit code, after flushing the standard
    // streams. Static destructors do not run, so a polling thread blocked on the serial
    // port cannot hold the exit up. Meant for the window program once its window closes.
    [[noreturn]] static void endProcess(int code);
};
