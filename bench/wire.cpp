// Wire efficiency of the device commands against the simulated controller.
//
// 1. Paced at 38400 baud (3840 bytes per second): 200 live reads back to back
//    and the programming of a full firmware image. Each figure is the measured
//    time divided by the pure wire time of the request and reply bytes; 1.00
//    would be a link that never waits for anything but bytes.
// 2. Unpaced: CPU time per transaction of the calling thread (the device side
//    alone) and of the whole process (device and simulator).
//
// Run: VEXOR_SYSTEM_PORTS=0 bench-wire [live-count]

#include "SimServer.h"
#include "device/LPGDevice.h"
#include "device/ProgramImage.h"
#include "platform/PortTable.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

constexpr unsigned kBaud = 38400;
constexpr double kBytesPerSecond = kBaud / 10.0;
// Frame overhead: AA 55, length, command, two check-sum bytes.
constexpr int kFrameBytes = 6;

double seconds(Clock::time_point since) {
    return std::chrono::duration<double>(Clock::now() - since).count();
}

double cpuSeconds(clockid_t clock) {
    timespec t{};
    clock_gettime(clock, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

void connect(CSimServer& server, CLPGDevice& device) {
    server.start();
    vexor::setCurrentPortTable({server.slavePath()});
    device.port().open(1);
    device.port().configure();
}

void report(const char* what, int exchanges, double wireBytes, double measured) {
    const double wire = wireBytes / kBytesPerSecond;
    std::printf("%-28s %5d exchanges  wire %8.3f s  measured %8.3f s  ratio %.4f\n", what,
                exchanges, wire, measured, measured / wire);
}

void pacedLiveReads(int count) {
    SimConfig config;
    config.paceBaud = kBaud;
    CSimServer server(config);
    CLPGDevice device;
    connect(server, device);

    CDiag record;
    int delivered = 0;
    const auto started = Clock::now();
    for (int i = 0; i < count; ++i)
        delivered += device.readDiag(record) == CLPGDevice::kDiagOk;
    const double measured = seconds(started);
    const double wireBytes = count * ((kFrameBytes + 6) + (kFrameBytes + CDiag::kRecordSize));
    report("live reads (paced)", count, wireBytes, measured);
    if (delivered != count)
        std::printf("  only %d of %d records delivered\n", delivered, count);
}

void pacedProgramming() {
    SimConfig config;
    config.paceBaud = kBaud;
    CSimServer server(config);
    CLPGDevice device;
    connect(server, device);

    std::vector<std::uint8_t> image(0x16000);
    for (std::size_t i = 0; i < image.size(); ++i)
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    const int steps = static_cast<int>(image.size() / vexor::kProgramPageBytes);
    const int pages = static_cast<int>(vexor::programPagePlan(steps).size());

    if (!device.enterProgramming()) {
        std::printf("programming: access refused\n");
        return;
    }
    const auto started = Clock::now();
    const bool ok = device.programImage(image.data(), image.size(), steps);
    const double measured = seconds(started);
    const double wireBytes =
        pages * ((kFrameBytes + 2 + vexor::kProgramPageBytes) + (kFrameBytes + 6));
    report("programImage (paced)", pages, wireBytes, measured);
    if (!ok)
        std::printf("  programming failed\n");
}

template <class F> void cpuPerTransaction(const char* what, int count, F&& exchange) {
    const double thread0 = cpuSeconds(CLOCK_THREAD_CPUTIME_ID);
    const double process0 = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto started = Clock::now();
    for (int i = 0; i < count; ++i)
        exchange();
    const double wall = seconds(started);
    const double thread = cpuSeconds(CLOCK_THREAD_CPUTIME_ID) - thread0;
    const double process = cpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0;
    std::printf("%-28s %6d x  device CPU %6.1f us  process CPU %6.1f us  wall %6.1f us\n", what,
                count, 1e6 * thread / count, 1e6 * process / count, 1e6 * wall / count);
}

void unpacedCpu() {
    CSimServer server;
    CLPGDevice device;
    connect(server, device);
    CDiag record;
    cpuPerTransaction("live read (unpaced)", 2000, [&] { device.readDiag(record); });
    cpuPerTransaction("base block read (unpaced)", 2000, [&] { device.readBase(); });
    cpuPerTransaction("base block write (unpaced)", 2000, [&] { device.writeBase(); });
}

} // namespace

int main(int argc, char** argv) {
    const int liveCount = argc > 1 ? std::atoi(argv[1]) : 200;
    try {
        pacedLiveReads(liveCount > 0 ? liveCount : 200);
        pacedProgramming();
        unpacedCpu();
    } catch (IError* error) {
        std::fprintf(stderr, "%s\n", error->description().c_str());
        delete error;
        return 1;
    }
    return 0;
}
