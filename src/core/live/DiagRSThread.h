#pragma once

#include "live/DiagFile.h"
#include "live/DiagInputThread.h"

#include <cstdint>
#include <functional>
#include <string>

class CLPGDevice;

// The polling thread of the serial link: reads live records from the device,
// numbers them, appends them to the device's live history and, when a log
// file could be opened on the log path, records each one as a line. The log
// is opened at the first delivered record, never before. An empty log path
// records nothing.
class CDiagRSThread : public CDiagInputThread {
public:
    // Told about every delivered record on the polling thread, with its line
    // as a recording would hold it.
    using RecordObserver = std::function<void(const CDiag& record, const std::string& line)>;

    // units: how the recording lines convert raw bytes, taken when polling
    // starts (the settings image belongs to the user-interface thread).
    // appendLog: go on with the recording at logPath (after a reconnection)
    // instead of starting it afresh. Whether the log opened, how many lines
    // it holds and why it stopped are kept in control.
    CDiagRSThread(CLPGDevice& device, std::string logPath, CPollControl& control,
                  IFrameTimers* timers, const vexor::SRecordUnits& units,
                  RecordObserver observer = {}, bool appendLog = false);
    ~CDiagRSThread() override;

    bool logOpen() const { return m_file.isOpen(); }
    std::int32_t sampleCount() const { return m_samples; }

protected:
    void onStart() override;
    void onStop() override;
    int readRecord(CDiag& record) override;
    void deliver(CDiag& record) override;
    std::uint32_t lineErrors() override;

private:
    void openLog();
    void record(const std::string& line);

    CLPGDevice& m_device;
    CDiagFile m_file;
    vexor::SRecordUnits m_units;
    RecordObserver m_observer;
    std::int32_t m_samples = 0;
    bool m_appendLog = false;
    bool m_logTried = false;
};
