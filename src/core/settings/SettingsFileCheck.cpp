#include "settings/SettingsFileCheck.h"

#include "files/SettingsFile.h"
#include "files/SettingsFileIo.h"
#include "settings/SettingsSchema.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace vexor {

namespace {

SettingsFileCheck problem(SettingsFileProblem p, std::string detail = {}) {
    return {p, std::move(detail)};
}

// The whole file, opened without following it into a FIFO or device.
SettingsFileCheck readRegularFile(const std::string& path, std::string& text) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return problem(SettingsFileProblem::Unreadable, path);
    if (!S_ISREG(st.st_mode))
        return problem(SettingsFileProblem::NotAFile, path);
    if (static_cast<std::size_t>(st.st_size) > CSettingsFile::kMaxFileSize)
        return problem(SettingsFileProblem::TooLarge, path);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return problem(SettingsFileProblem::Unreadable, path);
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return problem(SettingsFileProblem::NotAFile, path);
    }
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            ::close(fd);
            return problem(SettingsFileProblem::Unreadable, path);
        }
        if (n == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(n));
        if (text.size() > CSettingsFile::kMaxFileSize) {
            ::close(fd);
            return problem(SettingsFileProblem::TooLarge, path);
        }
    }
    ::close(fd);
    return {};
}

// Lines, their lengths and their bytes: what a text editor could have made.
SettingsFileCheck checkLines(const std::string& text,
                             std::unordered_map<std::string, std::string>& values) {
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < text.size()) {
        ++number;
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.size() > kMaxSettingsLine)
            return problem(SettingsFileProblem::LongLine, std::to_string(number));
        for (const unsigned char c : line) {
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                return problem(SettingsFileProblem::Binary, std::to_string(number));
        }
        const std::size_t tab = line.find('\t');
        if (tab != std::string::npos)
            values.emplace(line.substr(0, tab), line.substr(tab + 1));
    }
    return {};
}

bool strictNumber(const std::string& text, double& value) {
    if (text.empty())
        return false;
    const char* begin = text.c_str();
    char* end = nullptr;
    value = std::strtod(begin, &end);
    return end == begin + text.size() && std::isfinite(value);
}

} // namespace

SettingsFileCheck readCheckedSettingsFile(const std::string& path, DeviceSettings& target) {
    target = DeviceSettings{};
    std::string text;
    if (SettingsFileCheck read = readRegularFile(path, text); !read.ok())
        return read;
    std::unordered_map<std::string, std::string> values;
    if (SettingsFileCheck lines = checkLines(text, values); !lines.ok())
        return lines;

    for (const SettingInfo& info : settingsSchema()) {
        const auto it = values.find(info.key);
        if (it == values.end())
            return problem(SettingsFileProblem::MissingKey, info.key);
        if (info.kind == SettingKind::Text) {
            if (it->second.size() > info.maxText)
                return problem(SettingsFileProblem::BadValue, info.key);
            continue;
        }
        double value = 0;
        if (!strictNumber(it->second, value) || !fitsMember(info, value))
            return problem(SettingsFileProblem::BadValue, info.key);
    }

    std::string missing;
    if (!readSettingsFile(path, target, &missing)) {
        target = DeviceSettings{};
        return missing.empty() ? problem(SettingsFileProblem::Unreadable, path)
                               : problem(SettingsFileProblem::MissingKey, missing);
    }
    return {};
}

const char* settingsFileProblemText(SettingsFileProblem p) {
    switch (p) {
    case SettingsFileProblem::None:
        return "";
    case SettingsFileProblem::Unreadable:
        return "Nie można wczytać ustawień z pliku";
    case SettingsFileProblem::NotAFile:
    case SettingsFileProblem::TooLarge:
    case SettingsFileProblem::Binary:
    case SettingsFileProblem::LongLine:
        return "To nie jest plik ustawień";
    case SettingsFileProblem::MissingKey:
        return "Brak klucza w pliku ustawień";
    case SettingsFileProblem::BadValue:
        return "Nieprawidłowa wartość w pliku ustawień";
    }
    return "";
}

} // namespace vexor
