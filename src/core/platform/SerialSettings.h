#pragma once

#include <cstdint>

// Line settings of a serial port, the subset a POSIX terminal can express.
struct SerialLineSettings {
    enum class Parity : uint8_t { None, Odd, Even };
    enum class StopBits : uint8_t { One, Two };

    uint32_t baudRate = 38400;
    uint8_t dataBits = 8; // 5..8
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    bool rtsCtsFlow = false;
    bool xonXoffFlow = false;
    bool dtr = false; // line asserted
    bool rts = false;
};

// Time-outs in milliseconds. A read of n bytes ends when n bytes arrived, when
// readTotalMultiplier * n + readTotalConstant ms have passed, or (interval
// non-zero) when that long passed after a byte without another one. Both
// totals 0 means no total limit; writes likewise.
struct SerialTimeouts {
    uint32_t readInterval = 0;
    uint32_t readTotalMultiplier = 0;
    uint32_t readTotalConstant = 0;
    uint32_t writeTotalMultiplier = 0;
    uint32_t writeTotalConstant = 0;
};
