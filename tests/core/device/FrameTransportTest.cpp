#include "device/FrameTransport.h"
#include "device/RSError.h"
#include "support/FakeSerialPort.h"
#include "threads/MutexGuard.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <future>
#include <memory>
#include <thread>

namespace {

using vexor::test::FakeSerialPort;
using Bytes = std::vector<uint8_t>;

// A transaction buffer with a guard zone after the 410 bytes the routine owns.
struct Buffer {
    std::array<uint8_t, vexor::kTransactBufferSize + 16> bytes;
    Buffer() { bytes.fill(0xEE); }
    uint8_t* data() { return bytes.data(); }
    void load(const Bytes& payload) { std::copy(payload.begin(), payload.end(), bytes.begin()); }
};

struct Exchange {
    FakeSerialPort port;
    CFrameTransport transport{port};
    Buffer buffer;
    uint8_t length = 6;
    uint8_t command = 2;

    Exchange() { buffer.load({0xCC, 0, 0, 0, 0, 0}); }
    bool transact() { return transport.transact(buffer.data(), length, command); }
    int transactFast() { return transport.transactFast(buffer.data(), length, command); }
    void expectCallerBytesKept() const {
        EXPECT_EQ(length, 6);
        EXPECT_EQ(command, 2);
    }
    int reads() const {
        int n = 0;
        for (const std::string& c : port.calls)
            n += c.rfind("read", 0) == 0;
        return n;
    }
};

} // namespace

TEST(PayloadSum, IsTheByteSumPlusOneWrappedTo16Bits) {
    const uint8_t six[] = {0xCC, 0, 0, 0, 0, 0};
    EXPECT_EQ(CFrameTransport::payloadSum(six, 6), 0xCD);
    EXPECT_EQ(CFrameTransport::payloadSum(nullptr, 0), 1);
    std::vector<uint8_t> many(258, 0xFF); // 258 * 255 = 65790 = 0x100FE
    EXPECT_EQ(CFrameTransport::payloadSum(many.data(), 258), 0x00FF);
}

TEST(FrameTransport, SendsTheWorkedExampleFrameAndTakesAnAcceptedReply) {
    Exchange x;
    x.port.reply(FakeSerialPort::frame(8, {1, 2, 3}));
    ASSERT_TRUE(x.transact());
    EXPECT_EQ(x.port.written, (Bytes{0xAA, 0x55, 0x06, 0x02, 0xCC, 0, 0, 0, 0, 0, 0x00, 0xD5}));
    EXPECT_EQ(x.length, 3);
    EXPECT_EQ(x.command, 8);
    // Reply payload, then its checksum (3 + 8 + 6 + 1 = 0x12), then zeros to
    // exactly 410 bytes; the bytes beyond are not the routine's.
    EXPECT_EQ(Bytes(x.buffer.bytes.begin(), x.buffer.bytes.begin() + 5), (Bytes{1, 2, 3, 0, 0x12}));
    for (std::size_t i = 5; i < vexor::kTransactBufferSize; ++i)
        ASSERT_EQ(x.buffer.bytes[i], 0) << "at " << i;
    EXPECT_EQ(x.buffer.bytes[vexor::kTransactBufferSize], 0xEE);
}

TEST(FrameTransport, StaleInputIsPurgedBeforeTheRequestIsWritten) {
    Exchange x;
    x.port.waiting(FakeSerialPort::frame(3, {9, 9}));
    x.port.reply(FakeSerialPort::ack(0));
    ASSERT_TRUE(x.transact());
    EXPECT_EQ(x.command, 2);
    EXPECT_EQ(x.length, 6);
    ASSERT_GE(x.port.calls.size(), 2u);
    EXPECT_EQ(x.port.calls[0], "purgeIn");
    EXPECT_EQ(x.port.calls[1], "write 4");
}

TEST(FrameTransport, ReplyWithWrongChecksumFailsAndKeepsCallerBytes) {
    for (int offset : {1, -1}) {
        Exchange x;
        x.port.reply(FakeSerialPort::frame(3, {1, 2, 3, 4}, offset));
        EXPECT_FALSE(x.transact());
        x.expectCallerBytesKept();

        Exchange fast;
        fast.port.reply(FakeSerialPort::frame(3, {1, 2, 3, 4}, offset));
        EXPECT_EQ(fast.transactFast(), CFrameTransport::kFastFailed);
        fast.expectCallerBytesKept();
    }
}

TEST(FrameTransport, WrongStartBytesFailRightAfterTheHeaderRead) {
    Exchange x;
    Bytes reply = FakeSerialPort::frame(3, {1, 2});
    std::swap(reply[0], reply[1]); // 55 AA
    x.port.reply(reply);
    EXPECT_FALSE(x.transact());
    x.expectCallerBytesKept();
    EXPECT_EQ(x.reads(), 1);
    EXPECT_EQ(x.port.calls.back(), "read 4 -> 4");
    EXPECT_EQ(x.buffer.bytes[0], 0xCC) << "the buffer is cleared only for a plausible reply";
}

TEST(FrameTransport, MissingOrShortHeaderFails) {
    Exchange silent;
    EXPECT_FALSE(silent.transact());
    silent.expectCallerBytesKept();

    Exchange shortHeader;
    shortHeader.port.reply({0xAA, 0x55, 0x00});
    EXPECT_FALSE(shortHeader.transact());
    EXPECT_EQ(shortHeader.reads(), 1);
}

TEST(FrameTransport, ReplyCompletedOnlyBySecondReadPassesTransactButNotTransactFast) {
    Bytes reply = FakeSerialPort::frame(8, {1, 2, 3, 4, 5, 6, 7, 8});
    auto script = [&](FakeSerialPort& port) {
        port.reply(Bytes(reply.begin(), reply.begin() + 7)).stall();
        port.reply(Bytes(reply.begin() + 7, reply.end()));
    };

    Exchange x;
    script(x.port);
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(x.transact());
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
    EXPECT_EQ(x.length, 8);
    EXPECT_EQ(Bytes(x.buffer.bytes.begin(), x.buffer.bytes.begin() + 8),
              (Bytes{1, 2, 3, 4, 5, 6, 7, 8}));
    EXPECT_EQ(x.port.calls[x.port.calls.size() - 3], "read 10 -> 3");
    EXPECT_EQ(x.port.calls[x.port.calls.size() - 2], "read 7 -> 7");

    Exchange fast;
    script(fast.port);
    EXPECT_EQ(fast.transactFast(), CFrameTransport::kFastFailed);
    fast.expectCallerBytesKept();
    EXPECT_EQ(fast.reads(), 2);
}

TEST(FrameTransport, ReplyStillShortAfterTheSecondReadFails) {
    Bytes reply = FakeSerialPort::frame(8, {1, 2, 3, 4});
    Exchange x;
    x.port.reply(Bytes(reply.begin(), reply.begin() + 5)).stall();
    x.port.reply(Bytes(reply.begin() + 5, reply.end() - 1));
    EXPECT_FALSE(x.transact());
    x.expectCallerBytesKept();
    EXPECT_EQ(x.reads(), 3);
}

TEST(FrameTransport, StatusWordOfAnAcknowledgeMayCarryOnlyBit0x10) {
    struct Case {
        uint16_t status;
        bool passes;
    };
    for (Case c : {Case{0x0000, true}, Case{0x0010, true}, Case{0x0011, false}, Case{0x0100, false},
                   Case{0x8010, false}}) {
        Exchange x;
        x.port.reply(FakeSerialPort::ack(c.status));
        EXPECT_EQ(x.transact(), c.passes) << std::hex << c.status;
        if (!c.passes)
            x.expectCallerBytesKept();

        Exchange fast;
        fast.port.reply(FakeSerialPort::ack(c.status));
        EXPECT_EQ(fast.transactFast(), CFrameTransport::kFastOk) << std::hex << c.status;
    }
}

TEST(FrameTransport, StatusRuleAppliesOnlyToCommandTwoAndOnlyWhenTheWordIsThere) {
    Exchange other;
    other.port.reply(FakeSerialPort::frame(3, {4, 0, 0, 0, 0xFF, 0xFF}));
    EXPECT_TRUE(other.transact());

    // A four-byte acknowledge ends with its checksum where a status word would
    // be (here 00 0B); those bytes are not a status.
    Exchange shortAck;
    shortAck.port.reply(FakeSerialPort::frame(2, {4, 0, 0, 0}));
    EXPECT_TRUE(shortAck.transact());
    EXPECT_EQ(shortAck.length, 4);
}

TEST(FrameTransport, ReplyOfLengthZeroIsHeaderAndChecksumOnly) {
    Exchange x;
    x.port.reply({0xAA, 0x55, 0x00, 0x07, 0x00, 0x08});
    ASSERT_TRUE(x.transact());
    EXPECT_EQ(x.length, 0);
    EXPECT_EQ(x.command, 7);
    EXPECT_EQ(x.port.calls[x.port.calls.size() - 2], "read 2 -> 2");
}

TEST(FrameTransport, LineErrorAtAnyCheckFailsAndKeepsCallerBytes) {
    // Checks: after header, payload and checksum writes, before the payload
    // read, and at the end.
    for (std::size_t failing = 0; failing < 5; ++failing) {
        Exchange x;
        x.port.reply(FakeSerialPort::ack(0));
        x.port.commErrors.assign(failing, 0);
        x.port.commErrors.push_back(0x0008);
        EXPECT_FALSE(x.transact()) << failing;
        x.expectCallerBytesKept();
        EXPECT_EQ(x.port.calls.back(), "clearCommError") << failing;
        EXPECT_EQ(x.reads(), failing < 3 ? 0 : failing < 4 ? 1 : 2) << failing;

        Exchange fast;
        fast.port.reply(FakeSerialPort::ack(0));
        fast.port.commErrors.assign(failing, 0);
        fast.port.commErrors.push_back(0x8000);
        EXPECT_EQ(fast.transactFast(), CFrameTransport::kFastFailed) << failing;
    }
}

TEST(FrameTransport, PortErrorPassesThroughWithTheLockReleased) {
    auto x = std::make_shared<Exchange>();
    x->port.throwOnRead = 0;
    try {
        x->transact();
        FAIL() << "nothing thrown";
    } catch (IError* raw) {
        std::unique_ptr<IError> error(raw);
        EXPECT_EQ(error->className(), "CRSError");
        EXPECT_EQ(error->code(), CRSError::kCantReadWrite);
    }

    // Another thread must get the lock now; if it cannot, it is left behind
    // rather than hanging the test program.
    x->port.reply(FakeSerialPort::ack(0x10));
    auto result = std::make_shared<std::promise<bool>>();
    std::future<bool> done = result->get_future();
    std::thread other([x, result] { result->set_value(x->transact()); });
    if (done.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
        other.detach();
        FAIL() << "the transaction lock was still held";
    }
    other.join();
    EXPECT_TRUE(done.get());
}

TEST(FrameTransport, LockCanBeHeldAroundSeveralTransactions) {
    Exchange x;
    x.port.reply(FakeSerialPort::ack(0));
    CMutexGuard hold(x.transport.lock());
    EXPECT_TRUE(x.transact()); // re-entrant for the holding thread
}
