#include "CliSignals.h"

#include "CliOutput.h"

#include "lang/Translate.h"

#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kWatchSliceMs = 100;

void say(const std::string& text) {
    (void)vexor::cli::printErr(text + "\n");
}

} // namespace

CCliSignals::CCliSignals() {
    if (m_watch.active())
        m_thread = std::thread([this] { watch(); });
}

CCliSignals::~CCliSignals() {
    m_quit = true;
    if (m_thread.joinable())
        m_thread.join();
}

void CCliSignals::setPhase(Phase phase, const char* recovery) {
    m_recovery = recovery;
    m_warned = false;
    m_phase = phase;
    if (phase == Phase::Abort) {
        if (const int held = m_pending.exchange(0))
            stop(held, false);
    }
}

void CCliSignals::watch() {
    while (!m_quit.load()) {
        const int signal = m_watch.take(kWatchSliceMs);
        if (signal == 0)
            continue;
        switch (m_phase.load()) {
        case Phase::Cooperative:
            m_interruptSignal = signal;
            m_interrupted = true;
            break;
        case Phase::Deferred:
            m_pending = signal;
            // The phase may have ended meanwhile without seeing it.
            if (m_phase.load() == Phase::Abort && m_pending.exchange(0))
                stop(signal, false);
            break;
        case Phase::Uncuttable:
            if (!m_warned.exchange(true)) {
                say(vexor::translate(kMsgWarn));
                break;
            }
            stop(signal, true);
        case Phase::Abort:
            stop(signal, false);
        }
    }
}

void CCliSignals::stop(int signal, bool afterWarning) {
    vexor::releaseExclusiveTerminals();
    std::fflush(stdout);
    std::string text = vexor::translate(kMsgStopped);
    if (afterWarning) {
        if (const char* recovery = m_recovery.load())
            text += " " + vexor::translate(recovery);
    }
    say(text);
    // Whatever runs on the main thread now (a wait on the port, a half-done
    // read) is cut off here; the kernel closes the descriptors.
    ::_exit(128 + signal);
}
