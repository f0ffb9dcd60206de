#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

class QSocketNotifier;

// SIGINT, SIGTERM and SIGHUP for the window program: the handler only writes
// the signal's number into a pipe, and the window thread reads it through a
// socket notifier, so the program ends through its ordinary way out (the
// event loop returns, the port is released).
//
// The first signal ends the event loop with 128 + the signal's number; while
// a device operation that must not be cut runs (busy), it says so on stderr
// and ends the loop as soon as the operation is over. A second signal stops
// at once through stopNow, after saying how to recover.
class CSignalNotifier : public QObject {
    Q_OBJECT
public:
    using BusyFn = std::function<bool()>;
    using StopFn = std::function<void(int exitCode)>;

    // quit: how the event loop is ended (default: the application's exit).
    CSignalNotifier(BusyFn busy, StopFn stopNow, StopFn quit = {}, QObject* parent = nullptr);
    // Gives the three signals their default handling back.
    ~CSignalNotifier() override;

    // False when the pipe or the handlers could not be set up.
    bool installed() const { return m_notifier != nullptr; }
    // The window thread's reaction to a signal, also for tests.
    void handle(int signal);
    // True once a signal asked the program to end.
    bool ending() const { return m_received > 0; }
    // 128 + the number of the first signal received.
    int exitCode() const { return m_exitCode; }

private:
    void onReadable();
    void quitWhenIdle();

    BusyFn m_busy;
    StopFn m_stopNow;
    StopFn m_quit;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_idleCheck;
    int m_received = 0;
    int m_exitCode = 0;
};
