#include "device/SerialPort.h"
#include "platform/PortTable.h"
#include "support/PseudoTerminal.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <thread>

namespace {

using vexor::test::PseudoTerminal;
using Bytes = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

// Runs f, expects it to throw a CRSError, and hands the error back.
template <class F> std::unique_ptr<IError> caught(F&& f) {
    try {
        f();
    } catch (IError* raw) {
        return std::unique_ptr<IError>(raw);
    }
    return nullptr;
}

class SerialPortTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_plainFile = std::filesystem::temp_directory_path() /
                      ("vexor-serial-" + std::to_string(::getpid()) + ".txt");
        std::ofstream(m_plainFile) << "not a port\n";
        // Port 1 the pseudo-terminal, 2 a plain file, 3 a device that does not exist.
        vexor::setCurrentPortTable({m_pty.slave(), m_plainFile.string(), "/dev/vexor-no-such-tty"});
    }
    void TearDown() override {
        std::filesystem::remove(m_plainFile);
        vexor::setCurrentPortTable({});
    }

    // Port 1, opened and set up for the controller.
    void openPty(CSerialPort& port) {
        port.open(1);
        port.configure();
    }

    PseudoTerminal m_pty;
    std::filesystem::path m_plainFile;
};

} // namespace

TEST_F(SerialPortTest, ShortReadReturnsWhatArrivedOnlyAtTheDeadline) {
    CSerialPort port;
    openPty(port);
    m_pty.send({1, 2, 3, 4});
    uint8_t buffer[10] = {};
    auto start = Clock::now();
    EXPECT_EQ(port.read(buffer, 10), 4);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(1010));
    EXPECT_EQ(Bytes(buffer, buffer + 4), (Bytes{1, 2, 3, 4}));
}

TEST_F(SerialPortTest, ReadCollectsABlockThatArrivesInPieces) {
    CSerialPort port;
    openPty(port);
    std::thread peer([&] {
        m_pty.send({1, 2});
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        m_pty.send({3, 4, 5});
    });
    uint8_t buffer[5] = {};
    EXPECT_EQ(port.read(buffer, 5), 5);
    peer.join();
    EXPECT_EQ(Bytes(buffer, buffer + 5), (Bytes{1, 2, 3, 4, 5}));
}

TEST_F(SerialPortTest, PortNumberNamesATableEntryAndConfigureSetsTheControllerLine) {
    CSerialPort port;
    EXPECT_EQ(port.portNumber(), 0);
    EXPECT_FALSE(port.isOpen());
    openPty(port);
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(port.portNumber(), 1);
    EXPECT_EQ(port.path(), m_pty.slave());

    SerialLineSettings line;
    line.baudRate = 0;
    port.getState(line);
    EXPECT_EQ(line.baudRate, 38400u);
    EXPECT_EQ(line.dataBits, 8);
    EXPECT_EQ(line.parity, SerialLineSettings::Parity::None);
    EXPECT_EQ(line.stopBits, SerialLineSettings::StopBits::One);
    EXPECT_FALSE(line.rtsCtsFlow);
    EXPECT_FALSE(line.xonXoffFlow);
    EXPECT_FALSE(line.dtr);
    EXPECT_FALSE(line.rts);

    SerialTimeouts t;
    port.getTimeout(t);
    EXPECT_EQ(t.readInterval, 0u);
    EXPECT_EQ(t.readTotalMultiplier, 1u);
    EXPECT_EQ(t.readTotalConstant, 1000u);
}

TEST_F(SerialPortTest, FailedOpenThrowsCodeFiveNamingPortAndErrnoAndLeavesThePortClosed) {
    CSerialPort port;
    openPty(port);
    struct Case {
        int number;
        int error;
    };
    for (Case c : {Case{2, ENOTTY}, Case{3, ENOENT}, Case{4, ENOENT}, Case{0, ENOENT}}) {
        std::unique_ptr<IError> error = caught([&] { port.open(c.number); });
        ASSERT_NE(error, nullptr) << c.number;
        EXPECT_EQ(error->className(), "CRSError");
        EXPECT_EQ(error->code(), 5);
        EXPECT_EQ(error->description(), "COM port error - can't open.");
        EXPECT_EQ(error->message(), "CSerialPort::open(" + std::to_string(c.number) +
                                        ") - GetLastError()=" + std::to_string(c.error));
        EXPECT_FALSE(port.isOpen());
        EXPECT_EQ(port.portNumber(), 1) << "a failed open keeps the last good number";
    }
    // The plain file is untouched.
    std::ifstream in(m_plainFile);
    std::string text;
    std::getline(in, text);
    EXPECT_EQ(text, "not a port");
}

TEST_F(SerialPortTest, HeldPortCannotBeOpenedAgainUntilItIsClosed) {
    CSerialPort first;
    openPty(first);
    CSerialPort second;
    std::unique_ptr<IError> error = caught([&] { second.open(1); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->code(), 5);
    EXPECT_EQ(error->message(), "CSerialPort::open(1) - GetLastError()=" + std::to_string(EBUSY));
    EXPECT_FALSE(second.isOpen());
    EXPECT_TRUE(first.isOpen()) << "the holder keeps its port";

    EXPECT_TRUE(first.close());
    EXPECT_TRUE(first.close()) << "closing a closed port is harmless";
    second.open(1);
    EXPECT_TRUE(second.isOpen());
    second.close();
    first.open(1); // and once more: nothing of the exclusive flag is left behind
    EXPECT_TRUE(first.isOpen());
}

TEST_F(SerialPortTest, PurgeInDiscardsWaitingBytesButNotLaterOnes) {
    CSerialPort port;
    openPty(port);
    m_pty.send({0xAA, 0x55, 1, 2, 3});
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    port.purgeIn();
    m_pty.send({7, 8});
    uint8_t buffer[4] = {};
    EXPECT_EQ(port.read(buffer, 4), 2);
    EXPECT_EQ(buffer[0], 7);
    EXPECT_EQ(buffer[1], 8);
    port.purgeOut();
}

TEST_F(SerialPortTest, WriteOfAFullFrameCompletes) {
    CSerialPort port;
    openPty(port);
    Bytes frame(261);
    for (std::size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint8_t>(i * 7);
    EXPECT_EQ(port.write(frame.data(), 261), 261);
    EXPECT_EQ(m_pty.receive(261), frame) << "raw mode: no byte translated";
}

TEST_F(SerialPortTest, ClearCommErrorIsZeroOnAnIdleLineAndReportsAHangUp) {
    CSerialPort port;
    openPty(port);
    EXPECT_EQ(port.clearCommError(), 0u);
    EXPECT_EQ(port.clearCommError(), 0u);

    m_pty.closeMaster();
    uint8_t buffer[4];
    std::unique_ptr<IError> error = caught([&] { port.read(buffer, 4); });
    if (error) { // end of file or EIO, depending on the kernel
        EXPECT_EQ(error->code(), 6);
        EXPECT_EQ(error->message(), "CSerialPort::read() - GetLastError()=" + std::to_string(EIO));
    }
    EXPECT_NE(port.clearCommError() & ISerialPort::kCommHangUp, 0u);
    EXPECT_NE(port.clearCommError(), 0u) << "a lost line stays reported";
}

TEST_F(SerialPortTest, OperationsOnAClosedPortThrowCodeSixInTheirOwnWords) {
    CSerialPort port;
    EXPECT_EQ(port.clearCommError(), static_cast<uint32_t>(EBADF));

    uint8_t byte = 0;
    std::unique_ptr<IError> error = caught([&] { port.read(&byte, 1); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->code(), 6);
    EXPECT_EQ(error->description(), "COM port error - can't read/write.");
    EXPECT_EQ(error->message(), "CSerialPort::read() - GetLastError()=9");

    error = caught([&] { port.write(&byte, 1); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::write() - GetLastError()=9");

    const std::string tail = "() \n GetLastError() = 9\n clearCommError() = 9";
    SerialLineSettings line;
    SerialTimeouts timeouts;
    error = caught([&] { port.purgeIn(); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::purgeIn" + tail);
    error = caught([&] { port.purgeOut(); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::purgeOut" + tail);
    error = caught([&] { port.getState(line); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::getState" + tail);
    error = caught([&] { port.setState(line); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::setState" + tail);
    error = caught([&] { port.getTimeout(timeouts); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::getTimeout" + tail);
    error = caught([&] { port.setTimeout(timeouts); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->message(), "CSerialPort::setTimeout" + tail);
    EXPECT_EQ(error->code(), 6);
}

TEST_F(SerialPortTest, UnsupportedLineSettingsFailWithCodeSix) {
    CSerialPort port;
    openPty(port);
    SerialLineSettings line;
    line.baudRate = 12345;
    std::unique_ptr<IError> error = caught([&] { port.setState(line); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->code(), 6);
    EXPECT_EQ(error->message(), "CSerialPort::setState() \n GetLastError() = " +
                                    std::to_string(EINVAL) + "\n clearCommError() = 0");
}
