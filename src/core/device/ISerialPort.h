#pragma once

#include <cstdint>

// The byte pipe the device talks through. CSerialPort is a local device,
// CNetworkPort an adapter across the network (CPortLink picks one by the
// port's name); tests and replays put a scripted fake behind it. Failing system calls throw a
// heap-allocated CRSError by pointer; short reads and writes are not errors,
// the frame layer decides what they mean.
class ISerialPort {
public:
    // Bits of the clearCommError() word.
    static constexpr uint32_t kCommRxBufferOverrun = 0x0001; // driver buffer full, bytes lost
    static constexpr uint32_t kCommOverrun = 0x0002;         // UART overrun
    static constexpr uint32_t kCommParity = 0x0004;
    static constexpr uint32_t kCommFrame = 0x0008;
    static constexpr uint32_t kCommBreak = 0x0010;
    static constexpr uint32_t kCommHangUp = 0x8000; // line lost: device gone or peer closed

    virtual ~ISerialPort() = default;

    // Opens port n (1-based entry of the port table). Any port held is closed
    // first. Throws code 5 on failure; the port is then closed and the stored
    // port number keeps its previous value.
    virtual void open(int n) = 0;
    // Closes the port; harmless when it is not open. False when the system
    // reported a failure while closing (the port counts as closed anyway).
    virtual bool close() = 0;
    virtual bool isOpen() const = 0;
    // The number of the last port opened successfully, 0 before that.
    virtual int portNumber() const = 0;

    // Applies the controller's line settings (38400 8N1, no flow control, DTR
    // and RTS off) and time-outs (a read of n bytes waits at most 1000 + n ms)
    // in one step. Throws code 6 on failure.
    virtual void configure() = 0;

    // Blocks until count bytes arrived or the read time-out ended; returns how
    // many arrived. Throws code 6 only when the system call fails.
    virtual int read(uint8_t* buffer, int count) = 0;
    // Blocks until count bytes are handed to the driver or the write time-out
    // ended; returns how many were. Throws code 6 when the system call fails.
    virtual int write(const uint8_t* buffer, int count) = 0;

    // Discard received / not yet sent bytes. Throw code 6 on failure.
    virtual void purgeIn() = 0;
    virtual void purgeOut() = 0;

    // The line errors seen since the last call (a word of the kComm* bits, 0
    // when the line is healthy); when the query itself fails, the system's
    // error number instead. Never throws.
    virtual uint32_t clearCommError() = 0;
};
