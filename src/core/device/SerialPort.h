#pragma once

#include "common/IError.h"
#include "device/ControllerLine.h"
#include "device/ISerialPort.h"
#include "device/RSError.h"
#include "platform/TtyIoctl.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

// One serial port of the port table, opened exclusively. Reads and writes
// block with millisecond deadlines of their own (poll on a non-blocking
// descriptor), so the time-outs behave the same on every driver. No lock of
// its own: the device's transaction lock keeps other threads off the port.
class CSerialPort : public ISerialPort, public IErrorHelper<CRSError> {
public:
    CSerialPort() = default;
    // Closes the port: a descriptor left open would keep the device locked.
    ~CSerialPort() override;
    CSerialPort(const CSerialPort&) = delete;
    CSerialPort& operator=(const CSerialPort&) = delete;

    void open(int n) override;
    bool close() override;
    bool isOpen() const override { return m_fd >= 0; }
    int portNumber() const override { return m_portNumber; }
    // The device path of the open port; empty when closed.
    const std::string& path() const { return m_path; }

    void configure() override;
    void getState(SerialLineSettings& settings);
    void setState(const SerialLineSettings& settings);
    void getTimeout(SerialTimeouts& timeouts);
    void setTimeout(const SerialTimeouts& timeouts);

    int read(uint8_t* buffer, int count) override;
    int write(const uint8_t* buffer, int count) override;
    void purgeIn() override;
    void purgeOut() override;
    uint32_t clearCommError() override;

private:
    using Clock = std::chrono::steady_clock;
    enum class Wait { Ready, TimedOut, LineDown };

    // Waits for events on the port until the deadline (none: for ever).
    Wait waitFor(short events, std::optional<Clock::time_point> deadline, const char* what);

    // Code 6 as "CSerialPort::<what>() \n GetLastError() = e\n clearCommError() = c".
    [[noreturn]] void throwStateError(const char* what, int error, int line);
    // Code 6 as "CSerialPort::<what>() - GetLastError()=e".
    [[noreturn]] void throwIoError(const char* what, int error, int line);

    int m_fd = -1;
    int m_portNumber = 0;
    std::string m_path;
    SerialTimeouts m_timeouts = vexor::controllerTimeouts();
    vexor::tty::ErrorCounters m_counters;
    bool m_hungUp = false;
};
