#include "files/SettingsFile.h"

#include <cerrno>
#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>
#include <memory>

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

locale_t cLocale() {
    static const locale_t locale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

} // namespace

CSettingsFile::~CSettingsFile() {
    close();
}

bool CSettingsFile::open(const std::string& path, bool write) {
    close();
    m_path = path;
    m_writing = write;
    m_writeFailed = false;
    m_values.clear();
    m_lines.clear();
    m_foundKind = vexor::FileKind::Regular;
    m_error = 0;
    if (write) {
        m_open = m_out.open(path);
        m_error = m_out.error();
        return m_open;
    }
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(vexor::openRegularForRead(path, &m_foundKind));
    if (!file)
        m_error = errno != 0 ? errno : ENOENT;
    m_open = file && loadLines(file.get());
    if (!m_open) {
        m_values.clear();
    }
    return m_open;
}

bool CSettingsFile::loadLines(std::FILE* file) {
    std::string content;
    char buffer[65536];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        // A wrongly chosen huge file or endless device must fail the load, not
        // exhaust memory.
        if (content.size() + n > kMaxFileSize) {
            m_error = EFBIG;
            return false;
        }
        content.append(buffer, n);
    }
    if (std::ferror(file)) {
        m_error = errno != 0 ? errno : EIO;
        return false;
    }
    std::size_t start = 0;
    int lineNumber = 0;
    while (start < content.size()) {
        ++lineNumber;
        std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string::npos ? content.size() : end + 1;
        if (end == std::string::npos) {
            end = content.size();
        }
        // Only the line end itself is dropped: LF, or CR LF from Windows.
        if (end > start && content[end - 1] == '\r') {
            --end;
        }
        std::string line = content.substr(start, end - start);
        start = next;
        // Text stops at a zero byte, as it does for every other text of the image.
        if (auto zero = line.find('\0'); zero != std::string::npos) {
            line.resize(zero);
        }
        const std::size_t tab = line.find('\t');
        if (tab == std::string::npos) {
            continue;
        }
        if (m_values.emplace(line.substr(0, tab), line.substr(tab + 1)).second)
            m_lines.emplace(line.substr(0, tab), lineNumber);
    }
    return true;
}

bool CSettingsFile::close() {
    if (!m_open) {
        return !m_writeFailed;
    }
    m_open = false;
    if (!m_writing) {
        m_values.clear();
        return true;
    }
    if (m_writeFailed) {
        m_out.discard();
        return false;
    }
    if (!m_out.commit()) {
        m_writeFailed = true;
        m_error = m_out.error();
        return false;
    }
    return true;
}

bool CSettingsFile::writeLine(const std::string& key, const std::string& value) {
    if (!m_open || !m_writing) {
        return false;
    }
    std::FILE* out = m_out.stream();
    errno = 0;
    const bool ok = key.find_first_of("\t\r\n") == std::string::npos &&
                    std::fwrite(key.data(), 1, key.size(), out) == key.size() &&
                    std::fputc('\t', out) != EOF &&
                    std::fwrite(value.data(), 1, value.size(), out) == value.size() &&
                    std::fputc('\n', out) != EOF;
    if (!ok && !m_writeFailed) {
        m_writeFailed = true;
        m_error = errno != 0 ? errno : EIO;
    }
    return ok;
}

bool CSettingsFile::writeNumber(const std::string& key, double value) {
    return writeLine(key, formatNumber(value));
}

bool CSettingsFile::writeText(const std::string& key, const std::string& text) {
    return writeLine(key, textForLine(text));
}

bool CSettingsFile::readText(const std::string& key, std::string& value) const {
    if (!m_open || m_writing) {
        return false;
    }
    auto it = m_values.find(key);
    if (it == m_values.end()) {
        return false;
    }
    value = it->second;
    return true;
}

int CSettingsFile::lineOf(const std::string& key) const {
    const auto it = m_lines.find(key);
    return it == m_lines.end() ? 0 : it->second;
}

bool CSettingsFile::readNumber(const std::string& key, double& value) const {
    std::string text;
    if (!readText(key, text)) {
        return false;
    }
    value = parseNumber(text);
    return true;
}

std::string CSettingsFile::formatNumber(double value) {
    // Formatting with a precision behaves like printf "%.6g" in the C locale.
    char buffer[64];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 6);
    return std::string(buffer, result.ptr);
}

double CSettingsFile::parseNumber(const std::string& text) {
    return ::strtod_l(text.c_str(), nullptr, cLocale());
}

std::string CSettingsFile::textForLine(const std::string& text) {
    std::string line(text.c_str());
    for (char& c : line) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return line;
}
