// Opening recordings of 1 minute, 1 hour and 10 hours (one line per 100 ms):
// wall time and peak memory of each, to show how the cost grows with length.
//
//   bench-recording_open            runs every length in a process of its own
//   bench-recording_open LINES      one length; prints LINES BYTES MS PEAK_MB PAGE_MS
//
// Peak memory is the rise of the process's high-water mark (VmHWM) over its
// resident size before the open; it counts the reading buffers too. PAGE_MS
// is what the oscilloscope page adds after the reading: the recording put
// into its scrolling chart (which keeps the newest points only).
#include "diag/RecordingLoader.h"
#include "live/DiagFile.h"
#include "oscilloscope/OscilloscopeModel.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long statusKb(const char* key) {
    std::ifstream in("/proc/self/status");
    for (std::string line; std::getline(in, line);)
        if (line.rfind(key, 0) == 0)
            return std::atol(line.c_str() + std::string(key).size());
    return 0;
}

// A drive: speed, injection times, pressures, temperatures and lambdas all
// moving, so every field has the widths a real recording has.
std::string makeRecording(long lines) {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("vexor-bench-" + std::to_string(lines) + ".osc"))
            .string();
    if (std::filesystem::exists(path))
        return path;
    std::FILE* out = std::fopen(path.c_str(), "w");
    for (long i = 0; i < lines; ++i) {
        CDiag d;
        d.setIgnitionPeriod(static_cast<std::uint16_t>(600 + (i * 37) % 4000));
        d.setByte(CDiag::OffWorkMode, static_cast<std::uint8_t>(i % 4));
        d.setByte(CDiag::OffLambda1, static_cast<std::uint8_t>(i * 7));
        d.setByte(CDiag::OffLambda2, static_cast<std::uint8_t>(i * 11));
        d.setByte(CDiag::OffGasPressure, static_cast<std::uint8_t>(100 + i % 90));
        d.setByte(CDiag::OffManifold, static_cast<std::uint8_t>(40 + i % 150));
        d.setByte(CDiag::OffGasTempr, static_cast<std::uint8_t>(60 + i % 40));
        d.setByte(CDiag::OffReducerTempr, static_cast<std::uint8_t>(70 + i % 50));
        for (int c = 0; c < 16; ++c)
            d.setByte(CDiag::OffChannels + 2 * c, static_cast<std::uint8_t>(80 + (i + c) % 150));
        const std::string line = vexor::recordLine(d, {}) + "\r\n";
        std::fwrite(line.data(), 1, line.size(), out);
    }
    std::fclose(out);
    return path;
}

int one(long lines) {
    const std::string path = makeRecording(lines);
    { std::ofstream("/proc/self/clear_refs") << "5"; } // resets VmHWM
    const long before = statusKb("VmRSS:");
    CRecording rec;
    const auto start = std::chrono::steady_clock::now();
    const SRecordingLoad load = vexor::loadRecording(path, rec, [](double) { return true; });
    const auto ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    const long peak = statusKb("VmHWM:") - before;
    if (load.status != SRecordingLoad::Status::Complete || rec.size() != std::size_t(lines)) {
        std::fprintf(stderr, "read %zu of %ld lines\n", rec.size(), lines);
        return 1;
    }
    COscilloscopeModel page;
    const auto shown = std::chrono::steady_clock::now();
    page.showRecording(rec);
    const auto pageMs =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - shown).count();
    std::printf("%9ld %12ju %9.1f %9.1f %9.1f\n", lines,
                std::uintmax_t(std::filesystem::file_size(path)), ms, peak / 1024.0, pageMs);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1)
        return one(std::atol(argv[1]));
    std::printf("%9s %12s %9s %9s %9s\n", "lines", "bytes", "ms", "peak MB", "page ms");
    std::fflush(stdout);
    for (long lines : {600L, 36000L, 360000L}) {
        const pid_t pid = fork();
        if (pid == 0) {
            const std::string n = std::to_string(lines);
            execl("/proc/self/exe", argv[0], n.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        int status = 0;
        waitpid(pid, &status, 0);
    }
    return 0;
}
