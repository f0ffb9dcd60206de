#include "diag/RecordingLoader.h"

#include "lang/Translate.h"
#include "platform/FileKind.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vexor {

namespace {

constexpr std::size_t kChunk = 1 << 20;
// A recording line is about 90 bytes; reserving for lines of 64 keeps the
// arrays from growing (and briefly doubling) while a long file is read.
constexpr std::size_t kShortestLine = 64;

bool blank(char c) {
    return c == ' ' || c == '\t';
}

} // namespace

bool parseRecordingLine(std::string_view line, OscLine& out) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    const char* p = line.data();
    const char* end = p + line.size();
    for (double& field : out) {
        while (p < end && blank(*p))
            ++p;
        const auto [next, ec] = std::from_chars(p, end, field);
        if (ec != std::errc() || next == p || !std::isfinite(field))
            return false;
        if (next < end && !blank(*next))
            return false;
        p = next;
    }
    while (p < end && blank(*p))
        ++p;
    return p == end;
}

namespace {

// Feeds complete lines to the sink; keeps count across chunks.
class CLineParser {
public:
    explicit CLineParser(RecordingLineSink sink) : m_sink(std::move(sink)) {}

    // False once a damaged line was met.
    bool feed(std::string_view text, bool last) {
        std::size_t start = 0;
        while (start < text.size()) {
            const std::size_t nl = text.find('\n', start);
            if (nl == std::string_view::npos) {
                if (!last) {
                    m_rest.assign(text.substr(start));
                    return true;
                }
                return line(text.substr(start));
            }
            if (!line(text.substr(start, nl - start)))
                return false;
            start = nl + 1;
        }
        m_rest.clear();
        return true;
    }
    const std::string& rest() const { return m_rest; }
    SRecordingLoad result(SRecordingLoad::Status status) const {
        return {status, m_records, status == SRecordingLoad::Status::Damaged ? m_lineNo : 0};
    }

private:
    bool line(std::string_view text) {
        ++m_lineNo;
        // An empty line carries no record; older readers passed over it too.
        if (text.empty() || text == "\r")
            return true;
        OscLine fields;
        if (!parseRecordingLine(text, fields))
            return false;
        m_sink(fields);
        ++m_records;
        return true;
    }

    RecordingLineSink m_sink;
    std::size_t m_records = 0;
    std::string m_rest;
    std::size_t m_lineNo = 0;
};

} // namespace

SRecordingLoad parseRecording(std::string_view text, CRecording& recording) {
    recording.clear();
    recording.reserve(text.size() / kShortestLine + 1);
    CLineParser parser([&recording](const OscLine& line) { recording.append(line); });
    return parser.result(parser.feed(text, true) ? SRecordingLoad::Status::Complete
                                                 : SRecordingLoad::Status::Damaged);
}

SRecordingLoad loadRecording(const std::string& path, CRecording& recording,
                             const RecordingProgress& progress) {
    recording.clear();
    const SRecordingLoad result = readRecordingLines(
        path, [&recording](const OscLine& line) { recording.append(line); }, progress,
        [&recording](std::size_t bytes) { recording.reserve(bytes / kShortestLine + 1); });
    if (result.status == SRecordingLoad::Status::Cancelled ||
        result.status == SRecordingLoad::Status::Unreadable)
        recording.clear();
    return result;
}

SRecordingLoad readRecordingLines(const std::string& path, const RecordingLineSink& sink,
                                  const RecordingProgress& progress,
                                  const std::function<void(std::size_t)>& sized) {
    const auto unreadable = [](int error) {
        SRecordingLoad load;
        load.error = error;
        return load;
    };
    // Without O_NONBLOCK a FIFO would hold the open until a writer came.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return unreadable(errno);
    struct stat st {};
    const bool statFailed = ::fstat(fd, &st) != 0;
    if (statFailed || !S_ISREG(st.st_mode)) {
        const int error = statFailed ? errno : 0;
        ::close(fd);
        return unreadable(error);
    }
    const auto total = static_cast<std::size_t>(st.st_size);
    if (sized)
        sized(total);

    CLineParser parser(sink);
    std::vector<char> buffer(kChunk);
    std::string text;
    std::size_t done = 0;
    SRecordingLoad::Status status = SRecordingLoad::Status::Complete;
    int readError = 0;
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            status = SRecordingLoad::Status::Unreadable;
            readError = errno;
            break;
        }
        done += static_cast<std::size_t>(n);
        text = parser.rest();
        text.append(buffer.data(), static_cast<std::size_t>(n));
        if (!parser.feed(text, n == 0)) {
            status = SRecordingLoad::Status::Damaged;
            break;
        }
        if (n == 0)
            break;
        if (progress && !progress(total ? static_cast<double>(done) / total : 1.0)) {
            status = SRecordingLoad::Status::Cancelled;
            break;
        }
    }
    ::close(fd);
    SRecordingLoad result = parser.result(status);
    result.error = readError;
    return result;
}

std::string recordingLoadMessage(const SRecordingLoad& load, const std::string& path) {
    switch (load.status) {
    case SRecordingLoad::Status::Unreadable:
        return translate(kRecordingMsgOpen) + "\n" +
               (load.error != 0 ? path + ": " + std::strerror(load.error)
                                : translate(notRegularMessage()) + " " + path);
    case SRecordingLoad::Status::Damaged:
        return translate(kRecordingMsgDamaged) + " " + std::to_string(load.damagedLine);
    default:
        return {};
    }
}

} // namespace vexor
