#pragma once

#include "platform/SerialSettings.h"

#include <cstdint>

// Every terminal ioctl and termios call the serial port makes, in one place.
// Each function returns 0 or the errno of the failing call.
namespace vexor::tty {

// Exclusive mode: further opens of the device fail with EBUSY (except for
// privileged callers, hence exclusiveState()).
int setExclusive(int fd);
int releaseExclusive(int fd);
// Sets held to whether exclusive mode is on. ENOTTY on kernels that cannot say.
int exclusiveState(int fd, bool& held);

// Raw mode with the given speed, framing and flow control, then the DTR and
// RTS lines. Terminals without modem lines (pseudo-terminals) are fine.
int applyLineSettings(int fd, const SerialLineSettings& settings);
int readLineSettings(int fd, SerialLineSettings& settings);

struct ErrorCounters {
    uint32_t frame = 0;
    uint32_t overrun = 0;
    uint32_t parity = 0;
    uint32_t brk = 0;
    uint32_t bufOverrun = 0;
};
// ENOTSUP when the driver keeps no counters (pseudo-terminals, some USB
// adapters).
int readErrorCounters(int fd, ErrorCounters& counters);

// True when the errno says the device simply lacks the feature asked for.
bool unsupported(int error);

} // namespace vexor::tty
