#include "live/DiagInputThread.h"

#include "common/IError.h"
#include "device/DiagData.h"
#include "live/PollControl.h"
#include "platform/Seams.h"

#include <memory>
#include <thread>

CDiagInputThread::CDiagInputThread(CDiagData& history, std::string logPath, CPollControl& control,
                                   IFrameTimers* timers)
    : m_history(history), m_logPath(std::move(logPath)), m_control(control), m_timers(timers) {
    m_control.enter();
}

CDiagInputThread::~CDiagInputThread() {
    // A thread that never ran (its start failed) still counts as active.
    if (!m_left)
        m_control.leave();
}

void CDiagInputThread::run() {
    try {
        loop();
    } catch (IError* error) {
        std::unique_ptr<IError> owned(error);
        m_history.clear();
        if (m_control.running.load()) {
            m_control.endedOnFailure = true;
            onStop();
            if (lineErrors() != 0)
                armReconnect();
        }
    } catch (...) {
        m_control.endedOnFailure = true;
        onStop();
        armReconnect();
    }
    // Nothing of the document may be touched after this: it may be gone as
    // soon as the count drops.
    m_left = true;
    m_control.leave();
}

void CDiagInputThread::loop() {
    onStart();
    for (;;) {
        if (!m_control.running.load()) {
            onStop();
            return;
        }
        CDiag record;
        std::this_thread::sleep_for(kPollPause);
        switch (readRecord(record)) {
        case kRecordOk:
            deliver(record);
            m_control.failures = 0;
            m_control.lastRecordMs = CPollControl::nowMs();
            break;
        case kRecordFailed:
            ++m_control.failures;
            break;
        default: // a reply to another request: the link works, the record is lost
            break;
        }
        if (m_control.failures.load() > kMaxFailures) {
            m_control.endedOnFailure = true;
            m_history.clear();
            onStop();
            armReconnect();
            return;
        }
    }
}

void CDiagInputThread::armReconnect() {
    if (m_timers)
        m_timers->armReconnect();
}
