#include "lang/LangFile.h"

#include "lang/Utf16.h"
#include "threads/MutexGuard.h"

#include <optional>

namespace {

constexpr char16_t kTab = u'\t';

// Reads one little-endian code unit; nothing at the end of the file (an odd
// last byte is dropped).
std::optional<char16_t> readUnit(std::FILE* file) {
    const int low = std::getc(file);
    if (low == EOF)
        return std::nullopt;
    const int high = std::getc(file);
    if (high == EOF)
        return std::nullopt;
    return static_cast<char16_t>(low | (high << 8));
}

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

bool CLangFile::open(const std::string& path) {
    CMutexGuard guard(m_lock);
    m_file.reset(std::fopen(path.c_str(), "rbe"));
    m_path = m_file ? path : std::string();
    return m_file != nullptr;
}

void CLangFile::close() {
    CMutexGuard guard(m_lock);
    m_file.reset();
    m_path.clear();
}

bool CLangFile::isOpen() const {
    CMutexGuard guard(m_lock);
    return m_file != nullptr;
}

std::string CLangFile::path() const {
    CMutexGuard guard(m_lock);
    return m_path;
}

std::string CLangFile::lookup(const std::string& polish) const {
    CMutexGuard guard(m_lock);
    std::FILE* file = m_file.get();
    if (!file || std::fseek(file, 0, SEEK_SET) != 0)
        return polish;
    std::clearerr(file);

    // Skip the byte-order mark, but only when there is one: a file saved
    // without it keeps its first character.
    const std::optional<char16_t> mark = readUnit(file);
    if (!mark)
        return polish;
    if (*mark != 0xFEFF && std::fseek(file, 0, SEEK_SET) != 0)
        return polish;

    const std::u16string key = vexor::utf8ToUtf16(polish);
    std::u16string line;
    bool tooLong = false;
    for (;;) {
        const std::optional<char16_t> unit = readUnit(file);
        // The last line may lack its CR LF; it still counts, whole.
        if (!unit || *unit == u'\n') {
            if (!tooLong) {
                if (auto translation = translationOf(line, key))
                    return vexor::utf16ToUtf8(*translation);
            }
            if (!unit)
                break;
            line.clear();
            tooLong = false;
            continue;
        }
        if (line.size() < kMaxLineChars + 1) // room for the CR of a full line
            line.push_back(*unit);
        else
            tooLong = true;
    }
    return polish;
}
