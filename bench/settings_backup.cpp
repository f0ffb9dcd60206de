// The work a settings comparison and an automatic backup add on top of the
// settings-file writing they build on, without any controller traffic.

#include "backup/BackupStore.h"
#include "settings/SettingsCheck.h"
#include "settings/SettingsDiff.h"
#include "settings/SettingsFileIo.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <string>

namespace {

std::string tempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vexor-bench-XXXXXX").string();
    return ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
}

DeviceSettings carImage() {
    DeviceSettings s;
    s.m_devInfo.m_serial = "BENCH01";
    for (int r = 0; r < DeviceSettings::kMapRows; ++r)
        for (int c = 0; c < DeviceSettings::kMapCols; ++c)
            s.m_injMapTable[r][c] = (r * 7 + c * 3) % 21 - 10;
    return s;
}

// The save a backup is compared with.
void BM_SaveSettingsFile(benchmark::State& state) {
    const std::string folder = tempFolder();
    const DeviceSettings s = carImage();
    for (auto _ : state)
        benchmark::DoNotOptimize(vexor::writeSettingsFile(folder + "/car.xset", s));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_SaveSettingsFile)->Unit(benchmark::kMicrosecond);

// A backup into a folder that already holds a full rotation (101 files):
// the exclusive name, the same writer, and the listing that rotates.
void BM_TakeBackupFullFolder(benchmark::State& state) {
    const std::string folder = tempFolder();
    const CBackupStore store(folder);
    const DeviceSettings s = carImage();
    std::string id, error;
    std::time_t when = 1700000000;
    for (std::size_t i = 0; i < CBackupStore::kKeepNewest + 1; ++i)
        (void)store.take(s, "load", when++, id, error);
    for (auto _ : state)
        benchmark::DoNotOptimize(store.take(s, "load", when++, id, error));
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_TakeBackupFullFolder)->Unit(benchmark::kMicrosecond);

// Reading one file as `settings load` does, and as diff and set do.
void BM_ReadSettingsFile(benchmark::State& state) {
    const std::string folder = tempFolder();
    (void)vexor::writeSettingsFile(folder + "/car.xset", carImage());
    for (auto _ : state) {
        DeviceSettings s;
        benchmark::DoNotOptimize(vexor::readSettingsFile(folder + "/car.xset", s));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadSettingsFile)->Unit(benchmark::kMicrosecond);

void BM_ReadCheckedSettingsFile(benchmark::State& state) {
    const std::string folder = tempFolder();
    (void)vexor::writeSettingsFile(folder + "/car.xset", carImage());
    for (auto _ : state) {
        DeviceSettings s;
        vexor::SSettingsFileProblem problem;
        benchmark::DoNotOptimize(vexor::readSettingsFileChecked(folder + "/car.xset", s, problem,
                                                                vexor::SettingsFileUse::Edit));
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_ReadCheckedSettingsFile)->Unit(benchmark::kMicrosecond);

// The comparison itself, once both images are read.
void BM_DiffImages(benchmark::State& state) {
    const DeviceSettings a = carImage();
    DeviceSettings b = a;
    b.m_base.m_switchRPM = 1500;
    b.m_injMapTable[3][4] = 12;
    for (auto _ : state)
        benchmark::DoNotOptimize(vexor::diffSettings(a, b, false));
}
BENCHMARK(BM_DiffImages)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
