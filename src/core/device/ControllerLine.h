#pragma once

#include "platform/SerialSettings.h"

namespace vexor {

// What the controller expects: 38400 baud, 8 data bits, no parity, one stop
// bit, no flow control, DTR and RTS held off.
inline SerialLineSettings controllerLineSettings() {
    return SerialLineSettings{};
}

// A read of n bytes waits at most 1000 + n ms with no gap limit. A write of n
// bytes gets the same budget: a full 261-byte frame needs about 68 ms on the
// wire at 38400 baud, so even a slow USB adapter finishes well inside it.
inline SerialTimeouts controllerTimeouts() {
    SerialTimeouts t;
    t.readInterval = 0;
    t.readTotalMultiplier = 1;
    t.readTotalConstant = 1000;
    t.writeTotalMultiplier = 1;
    t.writeTotalConstant = 1000;
    return t;
}

} // namespace vexor
