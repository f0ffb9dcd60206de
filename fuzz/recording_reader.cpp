// Recordings are copied between workshops and cut off when a drive ends
// badly: any bytes must read without a fault, stop at the first damaged line
// with its number, and leave a recording whose every value and span can be
// asked for.
#include "diag/RecordingLoader.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CRecording rec;
    const SRecordingLoad load =
        vexor::parseRecording(std::string_view(reinterpret_cast<const char*>(data), size), rec);
    if (load.lines != rec.size())
        std::abort();
    if (load.status == SRecordingLoad::Status::Damaged && load.damagedLine <= load.lines)
        std::abort();
    for (int c = 0; c < vexor::kOscChannels && !rec.empty(); ++c) {
        const CRecording::SSpan s = rec.span(c, 0, rec.size());
        for (std::size_t i = 0; i < rec.size(); ++i)
            if (rec.value(i, c) < s.min || rec.value(i, c) > s.max)
                std::abort();
    }
    return 0;
}
