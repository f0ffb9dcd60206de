#include "diag/RecordingCsv.h"

#include "lang/Translate.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace vexor {

namespace {

constexpr const char* kTime = "Czas";

// A header cell "name [unit]": quoted, inner quotes doubled, as a
// spreadsheet expects of a text that may hold a comma. A column named after
// its unit (engine speed) names it once.
void appendCell(std::string& line, const std::string& name, const std::string& unit) {
    line += '"';
    for (char c : name) {
        if (c == '"')
            line += '"';
        line += c;
    }
    if (unit != name)
        line.append(" [").append(unit).append("]");
    line += '"';
}

} // namespace

const char* recordingUnit(int channel) {
    static constexpr const char* kUnits[kOscChannels] = {"RPM", "ms", "ms", "kPa", "kPa",
                                                         "°C",  "°C", "V",  "V"};
    return kUnits[channel];
}

std::string recordingClock(double seconds) {
    const long s = seconds > 0 ? static_cast<long>(seconds) : 0;
    char text[32];
    if (s >= 3600)
        std::snprintf(text, sizeof text, "%ld:%02ld:%02ld", s / 3600, (s / 60) % 60, s % 60);
    else
        std::snprintf(text, sizeof text, "%02ld:%02ld", s / 60, s % 60);
    return text;
}

bool writeRecordingCsv(const std::string& path, const CRecording& recording, std::size_t first,
                       std::size_t last) {
    CAtomicFile file;
    if (!file.open(path))
        return false;
    std::FILE* out = file.stream();
    std::string header;
    appendCell(header, translate(kTime), "s");
    for (int c = 0; c < kOscChannels; ++c) {
        header += ',';
        appendCell(header, translate(oscChannels()[c].label), translate(recordingUnit(c)));
    }
    header += '\n';
    bool ok = std::fputs(header.c_str(), out) >= 0;
    last = std::min(last, recording.size());
    // to_chars: a decimal point whatever the user's locale says.
    char line[512];
    for (std::size_t i = first; ok && i < last; ++i) {
        char* at =
            std::to_chars(line, line + 64, recording.seconds(i), std::chars_format::fixed, 1).ptr;
        for (int c = 0; c < kOscChannels; ++c) {
            *at++ = ',';
            at = std::to_chars(at, at + 40, recording.value(i, c)).ptr;
        }
        *at++ = '\n';
        ok = std::fwrite(line, 1, static_cast<std::size_t>(at - line), out) ==
             static_cast<std::size_t>(at - line);
    }
    return ok && file.commit();
}

} // namespace vexor
