#include "lang/LangFile.h"

#include "lang/LineEscape.h"
#include "lang/Utf16.h"
#include "threads/MutexGuard.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace {

constexpr char16_t kTab = u'\t';

// Reads the file's code units from the start with positioned reads, so every
// lookup sees the file as it is now and shares no read position.
class CUnitReader {
public:
    explicit CUnitReader(int fd) : m_fd(fd) {}

    // The next little-endian code unit; nothing at the end of the file or on
    // a read error (an odd last byte is dropped).
    std::optional<char16_t> next() {
        if (m_pos + 2 > m_size && !refill())
            return std::nullopt;
        const auto low = static_cast<unsigned char>(m_buffer[m_pos]);
        const auto high = static_cast<unsigned char>(m_buffer[m_pos + 1]);
        m_pos += 2;
        return static_cast<char16_t>(low | (high << 8));
    }

private:
    bool refill() {
        // Keep a leftover odd byte in front of the new data.
        size_t kept = m_size - m_pos;
        for (size_t i = 0; i < kept; ++i)
            m_buffer[i] = m_buffer[m_pos + i];
        m_pos = 0;
        m_size = kept;
        for (;;) {
            const ssize_t got =
                ::pread(m_fd, m_buffer + m_size, sizeof(m_buffer) - m_size, m_offset);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                return false;
            m_offset += got;
            m_size += static_cast<size_t>(got);
            if (m_size >= 2)
                return true;
        }
    }

    int m_fd;
    off_t m_offset = 0;
    char m_buffer[8192];
    size_t m_pos = 0;
    size_t m_size = 0;
};

// The translation a line gives for the key, if it gives one.
std::optional<std::u16string> translationOf(std::u16string_view line, std::u16string_view key) {
    if (!line.empty() && line.back() == u'\r')
        line.remove_suffix(1);
    const size_t first = line.find(kTab);
    if (first == std::u16string_view::npos || line.substr(0, first) != key)
        return std::nullopt;
    const size_t second = line.find(kTab, first + 1);
    if (second == std::u16string_view::npos || second + 1 == line.size())
        return std::nullopt;
    return std::u16string(line.substr(second + 1));
}

} // namespace

CLangFile::~CLangFile() {
    closeLocked();
}

bool CLangFile::open(const std::string& path) {
    CMutexGuard guard(m_lock);
    closeLocked();
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return false;
    m_fd = fd;
    m_path = path;
    return true;
}

void CLangFile::close() {
    CMutexGuard guard(m_lock);
    closeLocked();
}

void CLangFile::closeLocked() {
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_path.clear();
}

bool CLangFile::isOpen() const {
    CMutexGuard guard(m_lock);
    return m_fd >= 0;
}

std::string CLangFile::path() const {
    CMutexGuard guard(m_lock);
    return m_path;
}

std::string CLangFile::lookup(const std::string& polish) const {
    CMutexGuard guard(m_lock);
    if (m_fd < 0)
        return polish;
    CUnitReader reader(m_fd);

    // Skip the byte-order mark, but only when there is one: a file saved
    // without it keeps its first character.
    std::optional<char16_t> unit = reader.next();
    if (unit && *unit == 0xFEFF)
        unit = reader.next();

    // A key with a line break or a TAB is written escaped in the file.
    const std::u16string key = vexor::utf8ToUtf16(vexor::escapeLineText(polish));
    std::u16string line;
    bool tooLong = false;
    for (;; unit = reader.next()) {
        // The last line may lack its CR LF; it still counts, whole.
        if (!unit || *unit == u'\n') {
            if (!tooLong) {
                if (auto translation = translationOf(line, key))
                    return vexor::unescapeLineText(vexor::utf16ToUtf8(*translation));
            }
            if (!unit)
                break;
            line.clear();
            tooLong = false;
        } else if (line.size() < kMaxLineChars + 1) { // room for the CR of a full line
            line.push_back(*unit);
        } else {
            tooLong = true;
        }
    }
    return polish;
}
