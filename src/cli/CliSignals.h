#pragma once

#include "platform/SignalWatch.h"

#include <atomic>
#include <thread>

// What SIGINT, SIGTERM and SIGHUP do to a running command. A watcher thread
// takes them from the core's signal watch and acts by the command's phase:
//  - Abort (connecting, reading, showing): the port's exclusive flag is
//    released and the program ends at once with 128 + the signal;
//  - Cooperative (`live`): the command's own loop sees interrupted() and ends
//    cleanly;
//  - Uncuttable (a write the controller must get whole): the first signal
//    only warns on stderr; the second one ends the program as Abort does,
//    after saying how to bring the controller back;
//  - Deferred (a few milliseconds of file writing): a signal waits until the
//    phase ends, so that no temporary file is left behind, then acts as in
//    Abort.
class CCliSignals {
public:
    enum class Phase { Abort, Cooperative, Uncuttable, Deferred };

    CCliSignals();
    ~CCliSignals();
    CCliSignals(const CCliSignals&) = delete;
    CCliSignals& operator=(const CCliSignals&) = delete;

    // The phase the command is in now; recovery (Polish, translated when
    // shown) is what to do after an uncuttable write was stopped.
    void setPhase(Phase phase, const char* recovery = nullptr);
    bool interrupted() const { return m_interrupted.load(); }
    // The signal that set interrupted(); 0 before one came.
    int interruptSignal() const { return m_interruptSignal.load(); }

    // Messages (Polish keys) the watcher prints.
    static constexpr const char* kMsgWarn =
        "Przerwanie teraz pozostawi urządzenie zapisane tylko częściowo. Naciśnij Ctrl-C "
        "ponownie, aby mimo to przerwać.";
    static constexpr const char* kMsgStopped = "Przerwano.";

private:
    void watch();
    [[noreturn]] void stop(int signal, bool afterWarning);

    CSignalWatch m_watch;
    std::atomic<Phase> m_phase{Phase::Abort};
    std::atomic<const char*> m_recovery{nullptr};
    std::atomic<bool> m_interrupted{false};
    std::atomic<int> m_interruptSignal{0};
    std::atomic<bool> m_warned{false};
    std::atomic<bool> m_quit{false};
    std::atomic<int> m_pending{0}; // a signal held back by the Deferred phase
    std::thread m_thread;
};

// Puts the command into a phase for as long as it lives, then back to Abort.
class CCliPhase {
public:
    CCliPhase(CCliSignals* signals, CCliSignals::Phase phase, const char* recovery = nullptr)
        : m_signals(signals) {
        if (m_signals)
            m_signals->setPhase(phase, recovery);
    }
    ~CCliPhase() {
        if (m_signals)
            m_signals->setPhase(CCliSignals::Phase::Abort);
    }
    CCliPhase(const CCliPhase&) = delete;
    CCliPhase& operator=(const CCliPhase&) = delete;

private:
    CCliSignals* m_signals;
};
