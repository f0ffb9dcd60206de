// Cost of one live refresh of the map grid, on the offscreen platform, with
// the engine moving the way a revving engine does. Each call is timed on its
// own (moving the point, queueing the repaints and letting Qt paint them);
// the counters give the median, the 99th percentile and the worst call in
// microseconds.
//
// mode 0: the plain grid, only the live-point marker moves (two cells).
// mode 1: the marker and the 30 s trail (its area is repainted).
// mode 2: as 1 with the visits' heat overlay on.
// fullRepaint repaints the whole grid every call (the worst case a resize or
// a read-back causes), plain and with trail and heat.
//
// The ratio of mode 1 or 2 to mode 0 is the figure the trail costs.

#include "maps/InjMapModel.h"
#include "maps/MapGrid.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

using Clock = CMapTrail::Clock;

double percentile(std::vector<double> samples, double share) {
    if (samples.empty())
        return 0.0;
    const auto at = static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(at),
                     samples.end());
    return samples[at];
}

// Refresh n: about 800 to 4 000 rpm and 2 to 12 ms, as a tick every 100 ms.
void operatingPoint(int n, double& rpm, double& petrolMs) {
    const double phase = n * 0.03;
    rpm = 2400.0 + 1600.0 * std::sin(phase);
    petrolMs = 7.0 + 5.0 * std::sin(phase * 0.7);
}

struct SGridUnderTest {
    CMapGrid grid;
    Clock::time_point now = Clock::time_point{} + std::chrono::hours(1);
    int n = 0;

    SGridUnderTest() {
        for (int r = 0; r < vexor::kMapRowCount; ++r)
            for (int c = 0; c < vexor::kMapColumnCount; ++c)
                grid.model().setCellValue({r, c}, ((r * 7 + c * 3) % 21) - 10);
        grid.show();
        QCoreApplication::processEvents();
    }

    void tick(bool trail) {
        double rpm = 0.0, ms = 0.0;
        operatingPoint(n++, rpm, ms);
        now += std::chrono::milliseconds(100);
        const SCellIndex previous = grid.model().livePoint();
        if (trail)
            grid.model().trail().add(now, rpm, ms, 0);
        if (grid.model().trackPoint(rpm, ms, 0))
            grid.livePointMoved(previous);
        if (trail)
            grid.trailChanged();
    }
};

template <class Call> void timeCalls(benchmark::State& state, Call&& call) {
    std::vector<double> micros;
    micros.reserve(1 << 16);
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        call();
        QCoreApplication::processEvents();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        micros.push_back(took.count() * 1e6);
    }
    state.counters["median_us"] = percentile(micros, 0.5);
    state.counters["p99_us"] = percentile(micros, 0.99);
    state.counters["max_us"] =
        micros.empty() ? 0.0 : *std::max_element(micros.begin(), micros.end());
}

void liveRefresh(benchmark::State& state) {
    SGridUnderTest g;
    const bool trail = state.range(0) >= 1;
    g.grid.setHeatShown(state.range(0) == 2);
    // A full trail before timing starts.
    for (int i = 0; i < 320; ++i)
        g.tick(trail);
    QCoreApplication::processEvents();
    timeCalls(state, [&] { g.tick(trail); });
}

void fullRepaint(benchmark::State& state) {
    SGridUnderTest g;
    const bool extras = state.range(0) != 0;
    g.grid.setHeatShown(extras);
    for (int i = 0; i < 320; ++i)
        g.tick(extras);
    QCoreApplication::processEvents();
    timeCalls(state, [&] { g.grid.repaint(); });
}

} // namespace

BENCHMARK(liveRefresh)
    ->ArgName("mode")
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);
BENCHMARK(fullRepaint)
    ->ArgName("extras")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(1.0);

int main(int argc, char** argv) {
    // Offscreen unless the caller asked for a real display on purpose.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
