#pragma once

#include "device/Diag.h"
#include "threads/SThread.h"

#include <chrono>
#include <cstdint>
#include <string>

class CDiagData;
class CPollControl;
class IFrameTimers;

// The live-data polling loop, run on a pool thread. It reads a record every
// poll pause, hands each good one on, and ends when the document clears its
// running flag, after six failed reads in a row (then it clears the history
// and arms the reconnect timer), or when the port fails. Where the records
// come from and where they go is left to a derived class.
class CDiagInputThread : public CSThread {
public:
    static constexpr int kMaxFailures = 5; // the sixth failure in a row ends the run
    static constexpr std::chrono::milliseconds kPollPause{100};

    // Results of readRecord, as the device's live read returns them.
    static constexpr int kRecordOk = 0;
    static constexpr int kRecordWrongReply = 1; // neither counts nor resets
    static constexpr int kRecordFailed = 2;

    // history: the live history to fill; control: the document's running
    // flag, failure counter and thread count (the thread has counted itself
    // in once constructed); timers: where the reconnect timer is armed (may
    // be null).
    CDiagInputThread(CDiagData& history, std::string logPath, CPollControl& control,
                     IFrameTimers* timers);
    ~CDiagInputThread() override;

    void run() override;

    const std::string& logPath() const { return m_logPath; }

protected:
    virtual void onStart() = 0;
    virtual void onStop() = 0;
    // Fills record; kRecordOk, kRecordWrongReply or kRecordFailed.
    virtual int readRecord(CDiag& record) = 0;
    virtual void deliver(CDiag& record) = 0;
    // Line errors the link reports after a port failure; non-zero lets the
    // run arm the reconnect timer.
    virtual std::uint32_t lineErrors() { return 0; }

    CDiagData& history() { return m_history; }
    CPollControl& control() { return m_control; }

private:
    void loop();
    void armReconnect();

    CDiagData& m_history;
    std::string m_logPath;
    CPollControl& m_control;
    IFrameTimers* m_timers;
    bool m_left = false;
};
