// Time of one live refresh of the main view and of the full-window display,
// on the offscreen platform, with a record that changes on every call the way
// a running engine's does. Each call is timed on its own; the counters give
// the median, the 99th percentile and the worst call in microseconds.
//
// paint:0 is the display timer's work alone (texts set, repaints queued; the
// switch lights repaint at once every fifth call); paint:1 also lets Qt process
// the queued repaints, which is what a tick costs the window thread in the end.
// The document is the UI tests' scripted one, so the figures leave out the
// port and the polling thread.

#include "app/DisplayDlg.h"
#include "app/KorvantisView.h"
#include "lang/Language.h"
#include "support/FakeDocument.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// A connected four-cylinder controller on firmware 2.9; every command
// succeeds without effect.
void connectFourCylinders(CFakeDocument& doc) {
    doc.connected = true;
    doc.image.m_devInfo.m_injCount = 4;
    doc.image.m_devInfo.m_version = 0x0209;
}

// Sample n of an engine revving between about 800 and 3 000 rpm on gas: the
// values move from call to call as they do on a running engine.
CDiag engineRecord(int n) {
    const double phase = n * 0.05;
    const double load = 0.5 + 0.5 * std::sin(phase);
    CDiag record;
    record.setSample(n);
    record.setWorkMode(3);
    record.setByte(CDiag::OffModeFlag, 0);
    record.setByte(CDiag::OffReducerTempr, static_cast<std::uint8_t>(120 + n % 20));
    record.setByte(CDiag::OffGasTempr, static_cast<std::uint8_t>(140 + n % 15));
    record.setByte(CDiag::OffSupply, static_cast<std::uint8_t>(130 + n % 9));
    record.setByte(CDiag::OffLambda1, static_cast<std::uint8_t>((n * 7) % 200));
    record.setByte(CDiag::OffLambda2, static_cast<std::uint8_t>((n * 11) % 200));
    record.setByte(CDiag::OffGasPressure, static_cast<std::uint8_t>(90 + n % 30));
    record.setByte(CDiag::OffManifold, static_cast<std::uint8_t>(60 + 100 * load));
    record.setByte(CDiag::OffInjectorsOnGas, 0x0F);
    record.setByte(CDiag::OffFuelLevel, static_cast<std::uint8_t>(110 + n % 25));
    // 4 800 000 / period rpm: 6 000 is 800 rpm, 1 600 is 3 000 rpm.
    record.setIgnitionPeriod(static_cast<std::uint16_t>(6000 - 4400 * load));
    for (int channel = 0; channel < 8; ++channel) {
        const auto petrol = static_cast<std::uint16_t>(100 + 300 * load + channel * 3 + n % 4);
        record.setPetrolWord(channel, petrol);
        // Alternating small negative and positive corrections.
        record.setGasCorrWord(channel, channel % 2 ? 65530 : static_cast<std::uint16_t>(n % 12));
    }
    return record;
}

double percentile(std::vector<double> samples, double share) {
    if (samples.empty())
        return 0.0;
    const auto at = static_cast<std::size_t>(share * static_cast<double>(samples.size() - 1));
    std::nth_element(samples.begin(), samples.begin() + static_cast<std::ptrdiff_t>(at),
                     samples.end());
    return samples[at];
}

template <class Refresh>
void timeCalls(benchmark::State& state, CFakeDocument& doc, Refresh&& refresh, bool paint) {
    std::vector<double> micros;
    micros.reserve(1 << 16);
    int n = 0;
    for (auto _ : state) {
        doc.newest = engineRecord(n++);
        const auto start = std::chrono::steady_clock::now();
        refresh();
        if (paint)
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

void viewRefresh(benchmark::State& state) {
    CFakeDocument doc;
    connectFourCylinders(doc);
    CKorvantisView view(doc, Seams{});
    view.createPages();
    view.refreshTexts();
    view.resize(CKorvantisView::kFormWidth, CKorvantisView::kFormHeight);
    view.show();
    QCoreApplication::processEvents();
    timeCalls(
        state, doc, [&view] { view.refreshLive(); }, state.range(0) != 0);
}

void displayRefresh(benchmark::State& state) {
    CFakeDocument doc;
    connectFourCylinders(doc);
    CDisplayDlg dialog(doc, QSize(1024, 746));
    // The dialog's own timer would refresh behind the benchmark's back.
    dialog.timer5002().stop();
    dialog.show();
    QCoreApplication::processEvents();
    timeCalls(
        state, doc, [&dialog] { dialog.refreshLive(); }, state.range(0) != 0);
}

} // namespace

BENCHMARK(viewRefresh)
    ->ArgName("paint")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);
BENCHMARK(displayRefresh)
    ->ArgName("paint")
    ->Arg(0)
    ->Arg(1)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond)
    ->MinTime(2.0);

int main(int argc, char** argv) {
    // Offscreen unless the caller asked for a real display on purpose.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    vexor::setCurrentLanguage(vexor::kLangPolish);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
