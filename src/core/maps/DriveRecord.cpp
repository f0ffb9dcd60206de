#include "maps/DriveRecord.h"

#include "diag/RecordingLoader.h"
#include "live/DiagFile.h"

#include <algorithm>
#include <cmath>

namespace vexor {

namespace {

// Fields of a recording line.
constexpr int kFieldMode = 0;
constexpr int kFieldRpm = 1;
constexpr int kFieldFirstPetrol = 2; // then gas, petrol, gas ... for eight cylinders
constexpr int kFieldManifold = 19;
constexpr int kFieldReducer = 21;
constexpr int kFieldLambda1 = 22;
constexpr int kFieldLambda2 = 23;

} // namespace

SDriveRecord driveRecordOf(const OscLine& line) {
    SDriveRecord r;
    const double mode = line[kFieldMode];
    r.workMode = mode >= 0.0 && mode <= 255.0 ? static_cast<std::uint8_t>(mode) : 0;
    r.rpm = line[kFieldRpm];
    double longest = 0.0;
    for (int cylinder = 0; cylinder < 8; ++cylinder) {
        longest = std::max(longest, line[kFieldFirstPetrol + 2 * cylinder]);
        if (line[kFieldFirstPetrol + 2 * cylinder + 1] > 0.0)
            r.gasInjecting = true;
    }
    r.petrolMs = longest;
    r.manifoldKpa = line[kFieldManifold];
    r.reducerC = line[kFieldReducer];
    r.lambda1 = line[kFieldLambda1];
    r.lambda2 = line[kFieldLambda2];
    return r;
}

SDriveRecord driveRecordOf(const CDiag& record, const SRecordUnits& units) {
    OscLine line{};
    if (!parseRecordingLine(recordLine(record, units), line))
        return {};
    return driveRecordOf(line);
}

SRecordingLoad readDriveRun(const std::string& path, DriveRun& run) {
    run.clear();
    return readRecordingLines(
        path, [&run](const OscLine& line) { run.push_back(driveRecordOf(line)); }, {},
        // A line is about 90 bytes.
        [&run](std::size_t bytes) { run.reserve(bytes / 64 + 1); });
}

} // namespace vexor
