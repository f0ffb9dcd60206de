#pragma once

#include <csignal>

// Turns SIGINT, SIGTERM and SIGHUP into something a program can wait for
// outside the signal handler: the handler only counts the signal and writes
// its number into a pipe (both async-signal-safe); the program reads the
// pipe (poll it, or hand readFd() to an event loop's notifier) and decides
// what to do in ordinary code. One watch per process; the previous handlers
// come back when it is destroyed.
class CSignalWatch {
public:
    CSignalWatch();
    ~CSignalWatch();
    CSignalWatch(const CSignalWatch&) = delete;
    CSignalWatch& operator=(const CSignalWatch&) = delete;

    // False when the pipe or a handler could not be set up.
    bool active() const { return m_active; }
    // Readable whenever a signal arrived that take() has not yet returned.
    int readFd() const;
    // The next signal that arrived, 0 when none is waiting; waits up to
    // timeoutMs for one (0: does not wait, -1: waits for ever).
    int take(int timeoutMs = 0);
    // Signals that arrived since the watch was made.
    static int count();

private:
    bool m_active = false;
    struct sigaction m_old[3]{};
};

namespace vexor {

// Drops the exclusive-use flag of every terminal this process holds open. A
// program that is about to end abruptly calls it so that its serial port
// does not stay locked: on a pseudo-terminal the flag outlives the close.
void releaseExclusiveTerminals();

} // namespace vexor
