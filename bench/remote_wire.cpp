// Wire efficiency of a controller reached over the network: the simulator
// paced at 38400 baud behind ser2net on the loopback, in raw TCP and in
// telnet COM-port mode, directly and through a relay that holds every chunk
// 25 ms each way (a 50 ms round trip, a workshop across town through a VPN).
// Each figure is the measured time divided by the pure wire time of the
// request and reply bytes, as bench-wire gives it for a local port. Last, a
// few live reads over a 1.5 s round trip, longer than a read's budget.
//
// Run: VEXOR_SYSTEM_PORTS=0 bench-remote_wire [live-count [ser2net.yaml [only]]]
// (another configuration in the shipped file's form, e.g. to try ser2net's
// options; "only" a label word such as "rfc2217" runs just the matching runs)

#include "../tests/support/Ser2net.h"
#include "SimServer.h"
#include "device/LPGDevice.h"
#include "device/ProgramImage.h"
#include "platform/PortTable.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

constexpr unsigned kBaud = 38400;
constexpr double kBytesPerSecond = kBaud / 10.0;
constexpr int kFrameBytes = 6;

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

// Forwards one TCP connection on 127.0.0.1 to another port on 127.0.0.1,
// delivering each chunk `delay` after it arrived, in both directions.
class CDelayRelay {
public:
    CDelayRelay(uint16_t target, std::chrono::milliseconds delay)
        : m_target(target), m_delay(delay) {
        m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = loopback(0);
        socklen_t length = sizeof a;
        ::bind(m_listen, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(m_listen, 1);
        ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&a), &length);
        m_port = ntohs(a.sin_port);
        m_accepter = std::thread([this] { run(); });
    }
    ~CDelayRelay() {
        m_stop = true;
        ::shutdown(m_listen, SHUT_RDWR);
        ::close(m_listen);
        for (int fd : {m_client, m_server})
            if (fd >= 0)
                ::shutdown(fd, SHUT_RDWR);
        m_accepter.join();
        for (std::thread& t : m_pipes)
            t.join();
        for (int fd : {m_client, m_server})
            if (fd >= 0)
                ::close(fd);
    }
    uint16_t port() const { return m_port; }

private:
    static sockaddr_in loopback(uint16_t port) {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(port);
        return a;
    }
    void run() {
        m_client = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
        if (m_client < 0 || m_stop)
            return;
        m_server = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in a = loopback(m_target);
        if (::connect(m_server, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0)
            return;
        const int on = 1;
        ::setsockopt(m_client, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        ::setsockopt(m_server, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        m_pipes.emplace_back([this] { pipe(m_client, m_server); });
        m_pipes.emplace_back([this] { pipe(m_server, m_client); });
    }
    // One direction: a reader stamps chunks, this thread's writer sends each
    // when its time has come.
    void pipe(int from, int to) {
        struct Chunk {
            Clock::time_point due;
            std::vector<uint8_t> bytes;
        };
        std::deque<Chunk> queue;
        std::mutex mutex;
        std::condition_variable wake;
        bool ended = false;
        std::thread reader([&] {
            uint8_t buffer[4096];
            for (;;) {
                const ssize_t n = ::recv(from, buffer, sizeof buffer, 0);
                std::lock_guard<std::mutex> lock(mutex);
                if (n <= 0) {
                    ended = true;
                    wake.notify_one();
                    return;
                }
                queue.push_back({Clock::now() + m_delay, std::vector<uint8_t>(buffer, buffer + n)});
                wake.notify_one();
            }
        });
        std::unique_lock<std::mutex> lock(mutex);
        for (;;) {
            wake.wait(lock, [&] { return ended || !queue.empty(); });
            if (queue.empty())
                break;
            Chunk chunk = std::move(queue.front());
            queue.pop_front();
            lock.unlock();
            std::this_thread::sleep_until(chunk.due);
            ::send(to, chunk.bytes.data(), chunk.bytes.size(), MSG_NOSIGNAL);
            lock.lock();
        }
        lock.unlock();
        ::shutdown(to, SHUT_WR);
        reader.join();
    }

    uint16_t m_target;
    std::chrono::milliseconds m_delay;
    int m_listen = -1;
    int m_client = -1;
    int m_server = -1;
    uint16_t m_port = 0;
    std::atomic<bool> m_stop{false};
    std::thread m_accepter;
    std::vector<std::thread> m_pipes;
};

uint16_t portOf(const std::string& address) {
    return static_cast<uint16_t>(std::atoi(address.substr(address.rfind(':') + 1).c_str()));
}

void report(const char* what, int exchanges, double wireBytes, double measured) {
    const double wire = wireBytes / kBytesPerSecond;
    std::printf("%-34s %5d exchanges  wire %8.3f s  measured %8.3f s  ratio %.3f\n", what,
                exchanges, wire, measured, measured / wire);
}

void liveReads(CLPGDevice& device, int count, const char* what) {
    CDiag record;
    int delivered = 0;
    const auto started = Clock::now();
    for (int i = 0; i < count; ++i)
        delivered += device.readDiag(record) == CLPGDevice::kDiagOk;
    const double measured = seconds(started);
    report(what, count, count * ((kFrameBytes + 6) + (kFrameBytes + CDiag::kRecordSize)), measured);
    if (delivered != count)
        std::printf("  only %d of %d records delivered\n", delivered, count);
}

void programming(CLPGDevice& device, const char* what) {
    std::vector<std::uint8_t> image(0x16000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const int steps = static_cast<int>(image.size() / vexor::kProgramPageBytes);
    const int pages = static_cast<int>(vexor::programPagePlan(steps).size());
    if (!device.enterProgramming()) {
        std::printf("%s: access refused\n", what);
        return;
    }
    const auto started = Clock::now();
    const bool ok = device.programImage(image.data(), image.size(), steps);
    const double measured = seconds(started);
    report(what, pages, pages * ((kFrameBytes + 2 + vexor::kProgramPageBytes) + (kFrameBytes + 6)),
           measured);
    if (!ok)
        std::printf("  programming failed\n");
}

// One run: a fresh paced simulator behind ser2net, reached at `address`
// (possibly through a relay in front of ser2net).
const char* g_config = VEXOR_SOURCE_DIR "/packaging/ser2net-vexor.yaml";
const char* g_only = nullptr;

void run(const char* label, bool telnet, std::chrono::milliseconds oneWay, int liveCount,
         bool program = true) {
    if (g_only && !std::strstr(label, g_only))
        return;
    SimConfig config;
    config.paceBaud = kBaud;
    CSimServer server(config);
    server.start();
    char folderTemplate[] = "/tmp/vexor-bench-XXXXXX";
    const char* folder = ::mkdtemp(folderTemplate);
    vexor::test::CSer2net ser2net;
    const std::string reason =
        ser2net.start(server.slavePath(), folder ? folder : "/tmp", g_config);
    if (!reason.empty()) {
        std::printf("%s: skipped, %s\n", label, reason.c_str());
        return;
    }
    const std::string direct = telnet ? ser2net.rfc2217Address() : ser2net.rawAddress();
    std::unique_ptr<CDelayRelay> relay;
    std::string address = direct;
    if (oneWay.count() > 0) {
        relay = std::make_unique<CDelayRelay>(portOf(direct), oneWay);
        address = std::string(telnet ? "rfc2217" : "tcp") +
                  "://127.0.0.1:" + std::to_string(relay->port());
    }
    vexor::setCurrentPortTable({address});
    CLPGDevice device;
    device.port().open(1);
    device.port().configure();
    const std::string live = std::string(label) + " live reads";
    const std::string flash = std::string(label) + " programImage";
    liveReads(device, liveCount, live.c_str());
    if (program)
        programming(device, flash.c_str());
    std::printf("%-34s round trip added to read budgets: %lld ms\n", label,
                static_cast<long long>(device.serialPort().network().roundTrip().count()));
    device.port().close();
    relay.reset();
    ser2net.stop();
    if (folder)
        std::system((std::string("rm -rf ") + folder).c_str());
}

} // namespace

int main(int argc, char** argv) {
    const int liveCount = argc > 1 && std::atoi(argv[1]) > 0 ? std::atoi(argv[1]) : 200;
    if (argc > 2)
        g_config = argv[2];
    if (argc > 3)
        g_only = argv[3];
    try {
        run("raw, loopback", false, 0ms, liveCount);
        run("rfc2217, loopback", true, 0ms, liveCount);
        run("raw, 50 ms round trip", false, 25ms, liveCount);
        run("rfc2217, 50 ms round trip", true, 25ms, liveCount);
        // Longer than a read's own budget (1000 ms + 1 ms a byte): only the
        // round trip added to it keeps the controller from counting as silent.
        run("raw, 1.5 s round trip", false, 750ms, 10, false);
        run("rfc2217, 1.5 s round trip", true, 750ms, 10, false);
    } catch (IError* error) {
        std::fprintf(stderr, "%s\n", error->description().c_str());
        delete error;
        return 1;
    }
    return 0;
}
