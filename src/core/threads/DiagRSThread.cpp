#include "threads/DiagRSThread.h"

#include "device/LPGDevice.h"
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
                             RecordObserver observer)
    : CDiagInputThread(device.diagData(), std::move(logPath), control, timers), m_device(device),
      m_units(units), m_observer(std::move(observer)) {
    (void)m_file.open(CDiagInputThread::logPath(), true);
}

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
    if (m_file.isOpen() || m_observer) {
        const std::string line = vexor::recordLine(record, m_units);
        if (m_file.isOpen())
            (void)m_file.writeLine(line);
        if (m_observer)
            m_observer(record, line);
    }
    history().append(record);
}

std::uint32_t CDiagRSThread::lineErrors() {
    CMutexGuard guard(m_device.transport().lock());
    return m_device.port().clearCommError();
}
