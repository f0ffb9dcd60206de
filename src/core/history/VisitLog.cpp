#include "history/VisitLog.h"

#include "backup/BackupStore.h"
#include "backup/RawBackupFile.h"
#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kMagic = "vexor-visit 1";
constexpr const char* kExtension = ".visit";
constexpr std::size_t kMaxFileSize = 4u << 20;
// A day that needs more files than this has something wrong with its folder.
constexpr int kMaxDayFiles = 100;

std::vector<std::string> split(const std::string& line) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        out.push_back(line.substr(start, tab - start));
        if (tab == std::string::npos)
            return out;
        start = tab + 1;
    }
}

std::string clean(std::string text) {
    for (char& c : text) {
        if (c == '\t' || c == '\n' || c == '\r')
            c = ' ';
    }
    return text;
}

bool isTime(const std::string& t) {
    static const char pattern[] = "dddd-dd-dd dd:dd:dd";
    if (t.size() != sizeof pattern - 1)
        return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (pattern[i] == 'd' ? (t[i] < '0' || t[i] > '9') : t[i] != pattern[i])
            return false;
    }
    return true;
}

bool isKind(const std::string& k) {
    return !k.empty() &&
           std::all_of(k.begin(), k.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

std::string crcText(const std::string& body) {
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(vexor::crc32(body)));
    return crc;
}

bool readText(const std::string& path, std::string& text, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "cannot open";
        return false;
    }
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxFileSize) {
            problem = "too big";
            return false;
        }
    }
    return true;
}

// Holds an exclusive lock on the folder's lock file for its lifetime.
class CFolderLock {
public:
    explicit CFolderLock(const std::string& folder) {
        m_fd = ::open((folder + "/.lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            while (::flock(m_fd, LOCK_EX) != 0 && errno == EINTR) {
            }
        }
    }
    ~CFolderLock() {
        if (m_fd >= 0)
            ::close(m_fd); // releases the lock
    }
    CFolderLock(const CFolderLock&) = delete;
    CFolderLock& operator=(const CFolderLock&) = delete;

private:
    int m_fd = -1;
};

} // namespace

CVisitLog::CVisitLog(std::string dataFolder) {
    while (dataFolder.size() > 1 && dataFolder.back() == '/')
        dataFolder.pop_back();
    m_root = dataFolder + "/history";
}

std::string CVisitLog::format(const SVisitFile& file) {
    std::string text = std::string(kMagic) + "\n";
    text += "serial\t" + clean(file.serial) + "\n";
    for (const SVisitEvent& e : file.events) {
        text += e.time + "\t" + e.kind;
        for (const std::string& f : e.fields)
            text += "\t" + clean(f);
        text += "\n";
    }
    return text + "crc32\t" + crcText(text) + "\n";
}

bool CVisitLog::parse(const std::string& text, SVisitFile& file, std::string& problem) {
    const std::size_t crcAt = text.rfind("\ncrc32\t");
    if (crcAt == std::string::npos) {
        problem = "no check sum: the file is cut short";
        return false;
    }
    const std::string body = text.substr(0, crcAt + 1);
    if (text.substr(crcAt + 1) != "crc32\t" + crcText(body) + "\n") {
        problem = "the check sum does not match the contents";
        return false;
    }
    SVisitFile out;
    std::istringstream in(body);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
        const std::vector<std::string> f = split(line);
        if (n == 1) {
            if (line != kMagic) {
                problem = "line 1: not a visit file of this program";
                return false;
            }
        } else if (n == 2) {
            if (f.size() != 2 || f[0] != "serial") {
                problem = "line 2: no serial number";
                return false;
            }
            out.serial = f[1];
        } else {
            if (f.size() < 2 || !isTime(f[0]) || !isKind(f[1])) {
                problem = "line " + std::to_string(n) + ": not an event";
                return false;
            }
            out.events.push_back({f[0], f[1], std::vector<std::string>(f.begin() + 2, f.end())});
        }
    }
    out.path = file.path;
    file = std::move(out);
    return true;
}

bool CVisitLog::record(const std::string& serial, std::time_t when, const std::string& kind,
                       const std::vector<std::string>& fields, std::string& error) const {
    const std::string folder = m_root + "/" + CBackupStore::serialFolder(serial);
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        error = "cannot create the history folder " + folder;
        return false;
    }
    std::tm local{};
    char day[16] = "";
    char stamp[32] = "";
    if (::localtime_r(&when, &local) == nullptr ||
        std::strftime(day, sizeof day, "%Y%m%d", &local) == 0 ||
        std::strftime(stamp, sizeof stamp, "%Y-%m-%d %H:%M:%S", &local) == 0) {
        error = "cannot format the time";
        return false;
    }

    const CFolderLock lock(folder);
    // The day goes on in its newest file; a damaged one stays as it is for
    // whoever wants to look at it, and the day goes on in the next name.
    auto dayPath = [&](int n) {
        return folder + "/" + day + (n > 1 ? "-" + std::to_string(n) : "") + kExtension;
    };
    int last = 0;
    for (int n = 1; n <= kMaxDayFiles; ++n) {
        if (fs::exists(dayPath(n), ec))
            last = n;
    }
    SVisitFile file{dayPath(last == 0 ? 1 : last), serial, {}};
    if (last > 0) {
        std::string text;
        std::string problem;
        if (!readText(file.path, text, problem) || !parse(text, file, problem)) {
            if (last == kMaxDayFiles) {
                error = "too many damaged visit files in " + folder;
                return false;
            }
            file = SVisitFile{dayPath(last + 1), serial, {}};
        }
    }
    const std::string path = file.path;
    file.serial = serial;
    std::vector<std::string> cleaned;
    for (const std::string& f : fields)
        cleaned.push_back(clean(f));
    file.events.push_back({stamp, kind, cleaned});

    const std::string text = format(file);
    CAtomicFile out;
    errno = 0;
    if (!out.open(path) || std::fwrite(text.data(), 1, text.size(), out.stream()) != text.size() ||
        !out.commit()) {
        error =
            "cannot write " + path + (errno != 0 ? std::string(": ") + std::strerror(errno) : "");
        return false;
    }
    return true;
}

std::vector<std::string> CVisitLog::serialFolders(const std::string& serial) const {
    std::vector<std::string> out;
    if (!serial.empty()) {
        out.push_back(CBackupStore::serialFolder(serial));
        return out;
    }
    std::error_code ec;
    for (fs::directory_iterator it(m_root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code dirEc;
        const std::string name = it->path().filename().string();
        if (it->is_directory(dirEc) && CBackupStore::serialFolder(name) == name)
            out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

std::vector<SVisitFile> CVisitLog::read(const std::string& serial,
                                        std::vector<std::string>& damaged) const {
    std::vector<SVisitFile> out;
    for (const std::string& folder : serialFolders(serial)) {
        std::vector<std::string> paths;
        std::error_code ec;
        for (fs::directory_iterator it(m_root + "/" + folder, ec), end; !ec && it != end;
             it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (name.size() > std::strlen(kExtension) &&
                name.compare(name.size() - std::strlen(kExtension), std::string::npos,
                             kExtension) == 0)
                paths.push_back(it->path().string());
        }
        std::sort(paths.begin(), paths.end());
        for (const std::string& path : paths) {
            SVisitFile file;
            file.path = path;
            std::string text;
            std::string problem;
            if (readText(path, text, problem) && parse(text, file, problem))
                out.push_back(std::move(file));
            else
                damaged.push_back(path + ": " + problem);
        }
    }
    return out;
}
