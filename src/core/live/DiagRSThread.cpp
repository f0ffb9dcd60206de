#include "live/DiagRSThread.h"

#include "device/LPGDevice.h"
#include "live/PollControl.h"
#include "threads/MutexGuard.h"

namespace {

// Work modes the controller reports while it moves between fuels; the display
// and the recordings treat them as gas.
constexpr std::uint8_t kWorkModeGas = 3;
constexpr std::uint8_t kWorkModeSwitching1 = 4;
constexpr std::uint8_t kWorkModeSwitching2 = 5;

} // namespace

CDiagRSThread::CDiagRSThread(CLPGDevice& device, std::string logPath, CPollControl& control,
                             IFrameTimers* timers, const vexor::SRecordUnits& units,
                             RecordObserver observer, bool appendLog)
    : CDiagInputThread(device.diagData(), std::move(logPath), control, timers), m_device(device),
      m_units(units), m_observer(std::move(observer)), m_appendLog(appendLog) {}

CDiagRSThread::~CDiagRSThread() = default;

void CDiagRSThread::onStart() {
    if (!m_device.isDemo()) {
        // Under the transaction lock: a purge in the middle of another
        // thread's exchange would throw its reply away.
        CMutexGuard guard(m_device.transport().lock());
        m_device.port().purgeIn();
    }
    history().clear();
}

void CDiagRSThread::onStop() {
    m_file.close();
}

int CDiagRSThread::readRecord(CDiag& record) {
    const int result = m_device.readDiag(record);
    if (result != CLPGDevice::kDiagOk)
        return result;
    if (record.workMode() == kWorkModeSwitching1 || record.workMode() == kWorkModeSwitching2)
        record.setWorkMode(kWorkModeGas);
    return kRecordOk;
}

void CDiagRSThread::deliver(CDiag& record) {
    ++m_samples;
    record.setSample(m_samples);
    openLog();
    if (m_file.isOpen() || m_observer) {
        const std::string line = vexor::recordLine(record, m_units);
        if (m_file.isOpen())
            this->record(line);
        if (m_observer)
            m_observer(record, line);
    }
    history().append(record);
}

void CDiagRSThread::openLog() {
    // The file is made only once the controller has sent a record: a run that
    // finds no controller must leave an earlier recording at that path as it
    // was. A run resumed after a reconnection goes on in the lines written so
    // far; before the first line there is nothing of this recording to keep.
    const std::string& path = logPath();
    CPollControl& poll = control();
    if (m_logTried || path.empty() || poll.recordError.load() != 0)
        return;
    m_logTried = true;
    if (!m_file.open(path, true, m_appendLog && poll.recordedLines.load() > 0))
        poll.recordError = m_file.error();
}

void CDiagRSThread::record(const std::string& line) {
    CPollControl& poll = control();
    const long limit = poll.recordLimit.load();
    if (limit > 0 && poll.recordedLines.load() >= limit) {
        m_file.close();
        return;
    }
    if (!m_file.writeLine(line)) {
        // A full disk does not fix itself: recording stops with the lines
        // written so far intact, and whoever started it is told why.
        poll.recordError = m_file.error();
        m_file.close();
        return;
    }
    ++poll.recordedLines;
}

std::uint32_t CDiagRSThread::lineErrors() {
    CMutexGuard guard(m_device.transport().lock());
    return m_device.port().clearCommError();
}
