#include "settings/SettingsEditRead.h"

#include "files/SettingsFile.h"
#include "settings/SettingsFileIo.h"
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

using Kind = SSettingsFileProblem::Kind;

// A problem about the whole file or one of its lines (from 1).
SSettingsFileProblem fileProblem(Kind kind, int line = 0) {
    SSettingsFileProblem p;
    p.kind = kind;
    p.line = line;
    return p;
}

// A file that could not be read at all: named, with the system's reason.
SSettingsFileProblem fileProblem(Kind kind, const std::string& path, int error = 0) {
    SSettingsFileProblem p;
    p.kind = kind;
    p.path = path;
    p.error = error;
    return p;
}

SSettingsFileProblem keyProblem(Kind kind, const std::string& key) {
    SSettingsFileProblem p;
    p.kind = kind;
    p.key = key;
    return p;
}

// The whole file, opened without following it into a FIFO or device.
SSettingsFileProblem readRegularFile(const std::string& path, std::string& text) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        return fileProblem(Kind::Unreadable, path, errno);
    if (!S_ISREG(st.st_mode))
        return fileProblem(Kind::NotRegular, path);
    if (static_cast<std::size_t>(st.st_size) > CSettingsFile::kMaxFileSize)
        return fileProblem(Kind::TooLarge);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return fileProblem(Kind::Unreadable, path, errno);
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
        ::close(fd);
        return fileProblem(Kind::NotRegular, path);
    }
    char chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            return fileProblem(Kind::Unreadable, path, error);
        }
        if (n == 0)
            break;
        text.append(chunk, static_cast<std::size_t>(n));
        if (text.size() > CSettingsFile::kMaxFileSize) {
            ::close(fd);
            return fileProblem(Kind::TooLarge);
        }
    }
    ::close(fd);
    return {};
}

// Lines, their lengths and their bytes: what a text editor could have made.
SSettingsFileProblem checkLines(const std::string& text,
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
            return fileProblem(Kind::LongLine, static_cast<int>(number));
        for (const unsigned char c : line) {
            if ((c < 0x20 && c != '\t') || c == 0x7F)
                return fileProblem(Kind::Binary, static_cast<int>(number));
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

bool readEditableSettingsFile(const std::string& path, DeviceSettings& target,
                              SSettingsFileProblem& problem) {
    target = DeviceSettings{};
    problem = {};
    std::string text;
    if (problem = readRegularFile(path, text); !problem.ok())
        return false;
    std::unordered_map<std::string, std::string> values;
    if (problem = checkLines(text, values); !problem.ok())
        return false;

    for (const SettingInfo& info : settingsSchema()) {
        const auto it = values.find(info.key);
        if (it == values.end()) {
            problem = keyProblem(Kind::MissingKey, info.key);
            return false;
        }
        bool fits = true;
        if (info.kind == SettingKind::Text) {
            fits = it->second.size() <= info.maxText;
        } else {
            double value = 0;
            fits = strictNumber(it->second, value) && fitsMember(info, value);
        }
        if (!fits) {
            problem = keyProblem(Kind::BadValue, info.key);
            return false;
        }
    }

    std::string missing;
    if (!readSettingsFile(path, target, &missing)) {
        target = DeviceSettings{};
        problem = missing.empty() ? fileProblem(Kind::Unreadable, path)
                                  : keyProblem(Kind::MissingKey, missing);
        return false;
    }
    return true;
}

} // namespace vexor
