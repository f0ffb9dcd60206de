// The network port against a far side played by the test on the loopback.

#include "device/NetworkPort.h"
#include "device/TelnetCodec.h"
#include "platform/NetworkConnect.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Bytes = std::vector<uint8_t>;
using C = CTelnetCodec;
using namespace std::chrono_literals;

template <class F> std::unique_ptr<IError> caught(F&& f) {
    try {
        f();
    } catch (IError* raw) {
        return std::unique_ptr<IError>(raw);
    }
    return nullptr;
}

// A listening socket on 127.0.0.1 and the one connection it accepts.
class CFarSide {
public:
    CFarSide() {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof a;
        if (m_listen < 0 || ::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 ||
            ::listen(m_listen, 4) != 0 ||
            ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &length) != 0)
            throw std::runtime_error("no loopback socket");
        m_port = ntohs(a.sin_port);
    }
    ~CFarSide() {
        if (m_thread.joinable())
            m_thread.join();
        closeConnection();
        ::close(m_listen);
    }
    std::string address(const char* scheme) const {
        return std::string(scheme) + "://127.0.0.1:" + std::to_string(m_port);
    }
    uint16_t port() const { return m_port; }
    void accept() { m_fd = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC); }
    // Plays the far side in a thread while the test drives the port.
    void play(std::function<void(CFarSide&)> script) {
        m_thread = std::thread([this, script] { script(*this); });
    }
    void join() { m_thread.join(); }
    void send(const Bytes& bytes) {
        ASSERT_EQ(::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL),
                  static_cast<ssize_t>(bytes.size()));
    }
    // Receives until `count` bytes came or the sender paused for a while.
    Bytes receive(std::size_t count) {
        Bytes got;
        while (got.size() < count) {
            pollfd p{m_fd, POLLIN, 0};
            if (::poll(&p, 1, 2000) <= 0)
                break;
            uint8_t chunk[1024];
            const ssize_t n = ::recv(m_fd, chunk, std::min(sizeof chunk, count - got.size()), 0);
            if (n <= 0)
                break;
            got.insert(got.end(), chunk, chunk + n);
        }
        return got;
    }
    void closeConnection() {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    void closeListener() {
        ::close(m_listen);
        m_listen = -1;
    }

private:
    int m_listen = -1;
    int m_fd = -1;
    uint16_t m_port = 0;
    std::thread m_thread;
};

Bytes allByteValues() {
    Bytes b(256);
    for (int i = 0; i < 256; ++i)
        b[static_cast<std::size_t>(i)] = static_cast<uint8_t>(i);
    return b;
}

// What a far side with COM-port control answers to the settings VEXOR sends.
Bytes settingsAnswers(uint32_t baud) {
    Bytes out{C::kIac, C::kDo, C::kOptComPort};
    for (const Bytes& b :
         {C::comPortCommand(
              101, {uint8_t(baud >> 24), uint8_t(baud >> 16), uint8_t(baud >> 8), uint8_t(baud)}),
          C::comPortCommand(102, {8}), C::comPortCommand(103, {1}), C::comPortCommand(104, {1})})
        out.insert(out.end(), b.begin(), b.end());
    return out;
}

constexpr std::size_t kGreetingBytes = 15;
constexpr std::size_t kSettingsBytes = 10 + 4 * 7 + 3 * 7; // speed, 3 one-byte values, 3 controls

} // namespace

TEST(NetworkPort, rawBytesPassUnchangedBothWaysAndAShortReplyEndsAtTheBudget) {
    CFarSide far;
    CNetworkPort port;
    port.openAddress(far.address("tcp"), 1);
    port.configure();
    far.accept();
    const Bytes all = allByteValues();
    EXPECT_EQ(port.write(all.data(), static_cast<int>(all.size())), 256);
    EXPECT_EQ(far.receive(256), all);

    far.send(all);
    Bytes got(256);
    EXPECT_EQ(port.read(got.data(), 256), 256);
    EXPECT_EQ(got, all);

    SerialTimeouts quick = vexor::controllerTimeouts();
    quick.readTotalConstant = 50;
    port.setTimeout(quick);
    far.send({1, 2, 3});
    uint8_t five[5] = {};
    EXPECT_EQ(port.read(five, 5), 3);
    EXPECT_EQ(port.clearCommError(), 0u);
}

TEST(NetworkPort, telnetSetsTheLineOnTheFarSideAndEscapesTheDataBothWays) {
    CFarSide far;
    CNetworkPort port;
    port.openAddress(far.address("rfc2217"), 1);
    far.play([](CFarSide& f) {
        f.accept();
        const Bytes asked = f.receive(kGreetingBytes + kSettingsBytes);
        // The speed is asked for as 38400, 8 data bits, no parity, one stop bit.
        const Bytes speed = C::comPortCommand(C::kSetBaudRate, {0, 0, 0x96, 0});
        EXPECT_NE(std::search(asked.begin(), asked.end(), speed.begin(), speed.end()), asked.end());
        f.send(settingsAnswers(38400));
    });
    port.configure();
    far.join();

    // The purge asked before a request travels with it, ahead of the data.
    const Bytes all = allByteValues();
    port.purgeIn();
    port.write(all.data(), static_cast<int>(all.size()));
    Bytes expected = C::comPortCommand(C::kPurgeData, {C::kPurgeReceive});
    C::escape(all.data(), 256, expected);
    EXPECT_EQ(far.receive(expected.size()), expected);

    // Data with doubled 255s and a purge answer mixed in reads back plain.
    Bytes reply;
    C::escape(all.data(), 128, reply);
    const Bytes purged = C::comPortCommand(112, {1});
    reply.insert(reply.end(), purged.begin(), purged.end());
    C::escape(all.data() + 128, 128, reply);
    far.send(reply);
    Bytes got(256);
    EXPECT_EQ(port.read(got.data(), 256), 256);
    EXPECT_EQ(got, all);
}

TEST(NetworkPort, aFarSideThatRefusesComPortControlOrKeepsAnotherSpeedFailsTheSetUp) {
    for (const bool refuse : {true, false}) {
        CFarSide far;
        CNetworkPort port;
        port.openAddress(far.address("rfc2217"), 1);
        far.play([refuse](CFarSide& f) {
            f.accept();
            f.receive(kGreetingBytes);
            if (refuse)
                f.send({C::kIac, C::kDont, C::kOptComPort});
            else
                f.send(settingsAnswers(9600));
            f.receive(kSettingsBytes);
        });
        const auto error = caught([&] { port.configure(); });
        far.join();
        ASSERT_NE(error, nullptr) << (refuse ? "refused" : "9600");
        EXPECT_EQ(error->code(), CRSError::kCantReadWrite);
    }
}

TEST(NetworkPort, aClosedConnectionIsAHangUpUntilThePortIsOpenedAgain) {
    CFarSide far;
    CNetworkPort port;
    port.openAddress(far.address("tcp"), 1);
    port.configure();
    far.accept();
    far.send({0xAA, 0x55});
    far.closeConnection();

    uint8_t buffer[8] = {};
    // What came before the close is still delivered; then nothing more waits.
    EXPECT_EQ(port.read(buffer, 8), 2);
    EXPECT_EQ(port.clearCommError(), ISerialPort::kCommHangUp);
    EXPECT_EQ(port.clearCommError(), ISerialPort::kCommHangUp);
    // Writing into the closed connection fails as a lost line does, at the
    // latest once the far side has turned the first write away.
    const auto error = caught([&] {
        for (int i = 0; i < 50; ++i) {
            port.write(buffer, 8);
            std::this_thread::sleep_for(10ms);
        }
    });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->code(), CRSError::kCantReadWrite);

    port.openAddress(far.address("tcp"), 1);
    far.accept();
    EXPECT_EQ(port.clearCommError(), 0u);
}

TEST(NetworkPort, anAddressNobodyListensAtOrAMalformedOneFailsToOpenWithTheReason) {
    CFarSide far;
    const std::string address = far.address("tcp");
    far.closeListener();
    CNetworkPort port;
    auto error = caught([&] { port.openAddress(address, 3); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->code(), CRSError::kCantOpen);
    EXPECT_EQ(port.lastOpenError(), ECONNREFUSED);
    EXPECT_FALSE(vexor::isUnreachable(port.lastOpenError()));
    EXPECT_FALSE(port.isOpen());

    error = caught([&] { port.openAddress("tcp://127.0.0.1", 3); });
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(error->code(), CRSError::kCantOpen);
    EXPECT_EQ(port.portNumber(), 0);
}

TEST(NetworkPort, aReplySlowerThanTheBudgetIsWaitedForOnTheNextTry) {
    // A link whose round trip is longer than the read budget: the first try
    // misses the reply, the retry waits for the round trip just seen.
    CFarSide far;
    CNetworkPort port;
    port.openAddress(far.address("tcp"), 1);
    port.configure();
    SerialTimeouts quick = vexor::controllerTimeouts();
    quick.readTotalConstant = 50;
    quick.readTotalMultiplier = 0;
    port.setTimeout(quick);
    far.play([](CFarSide& f) {
        f.accept();
        for (int i = 0; i < 2; ++i) {
            const Bytes request = f.receive(2);
            std::this_thread::sleep_for(300ms);
            f.send(request);
        }
    });
    const uint8_t request[2] = {0x10, 0x20};
    uint8_t reply[2] = {};
    port.purgeIn();
    port.write(request, 2);
    EXPECT_LT(port.read(reply, 2), 2);
    std::this_thread::sleep_for(600ms);
    port.purgeIn();
    port.write(request, 2);
    EXPECT_EQ(port.read(reply, 2), 2);
    EXPECT_GE(port.roundTrip(), 300ms);
    far.join();
}
