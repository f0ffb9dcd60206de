// Repainting the recording viewer's chart (1200 x 500) on a 10-hour
// recording (360 000 lines): the whole recording shown, then one minute of
// it. Prints the mean time of one repaint.
//
//   QT_QPA_PLATFORM=offscreen bench-ui_recording_chart [LINES]
#include "diag/RecordingChart.h"
#include "diag/RecordingLoader.h"
#include "live/DiagFile.h"

#include <QApplication>
#include <QImage>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

std::string makeText(long lines) {
    std::string text;
    for (long i = 0; i < lines; ++i) {
        CDiag d;
        d.setIgnitionPeriod(static_cast<std::uint16_t>(600 + (i * 37) % 4000));
        d.setByte(CDiag::OffLambda1, static_cast<std::uint8_t>(i * 7));
        d.setByte(CDiag::OffGasPressure, static_cast<std::uint8_t>(100 + i % 90));
        d.setByte(CDiag::OffChannels, static_cast<std::uint8_t>(80 + i % 150));
        text += vexor::recordLine(d, {}) + "\n";
    }
    return text;
}

double repaintMs(CRecordingChart& chart, int rounds) {
    QImage image(chart.size(), QImage::Format_ARGB32_Premultiplied);
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i)
        chart.render(&image);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
               .count() /
           rounds;
}

} // namespace

int main(int argc, char** argv) {
    const long lines = argc > 1 ? std::atol(argv[1]) : 360000;
    QApplication app(argc, argv);
    CRecording rec;
    vexor::parseRecording(makeText(lines), rec);
    CRecordingChart chart;
    chart.resize(1200, 500);
    chart.setRecording(&rec);
    std::printf("lines %ld\n", lines);
    std::printf("whole recording: %.2f ms per repaint\n", repaintMs(chart, 50));
    chart.showRange(rec.size() / 2, rec.size() / 2 + 600);
    std::printf("one minute:      %.2f ms per repaint\n", repaintMs(chart, 50));
    chart.zoomAt(600, 0.8);
    return 0;
}
