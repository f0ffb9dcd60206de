#include "backup/BackupStore.h"

#include "backup/RawBackupFile.h"
#include "settings/SettingsFileIo.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr const char* kExtension = ".xset";
// Same-second backups give up after this many names: something is wrong.
constexpr int kMaxSuffix = 1000;

bool allDigits(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool isReason(const std::string& text) {
    return !text.empty() && std::all_of(text.begin(), text.end(),
                                        [](unsigned char c) { return std::islower(c) != 0; });
}

// Splits "YYYYMMDD-HHMMSS-REASON[-N]"; false for any other name.
bool parseName(const std::string& name, CBackupStore::SEntry& entry, int& suffix) {
    if (name.size() < 17 || name[8] != '-' || name[15] != '-')
        return false;
    const std::string date = name.substr(0, 8);
    const std::string time = name.substr(9, 6);
    std::string reason = name.substr(16);
    suffix = 1;
    const std::size_t dash = reason.find('-');
    if (dash != std::string::npos) {
        const std::string number = reason.substr(dash + 1);
        if (!allDigits(number) || number.size() > 6)
            return false;
        suffix = std::stoi(number);
        reason.resize(dash);
    }
    if (!allDigits(date) || !allDigits(time) || !isReason(reason))
        return false;
    entry.time = date.substr(0, 4) + "-" + date.substr(4, 2) + "-" + date.substr(6, 2) + " " +
                 time.substr(0, 2) + ":" + time.substr(2, 2) + ":" + time.substr(4, 2);
    entry.reason = reason;
    return true;
}

std::string systemError(const std::string& what, int code) {
    return what + ": " + std::strerror(code);
}

} // namespace

CBackupStore::CBackupStore(std::string dataFolder) {
    while (dataFolder.size() > 1 && dataFolder.back() == '/')
        dataFolder.pop_back();
    m_root = dataFolder + "/backups";
}

std::string CBackupStore::serialFolder(const std::string& serial) {
    if (serial.empty())
        return "unknown";
    std::string out = serial;
    for (char& c : out) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (!(std::isalnum(u) && u < 0x80) && c != '-' && c != '_')
            c = '_';
    }
    return out;
}

bool CBackupStore::take(const DeviceSettings& settings, const std::string& reason, std::time_t now,
                        std::string& id, std::string& error, const CRawImage* raw) const {
    const std::string serial = serialFolder(settings.m_devInfo.m_serial);
    const std::string folder = m_root + "/" + serial;
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder, ec)) {
        error = "cannot create the backup folder " + folder +
                (ec ? ": " + ec.message() : ": a file is in the way");
        return false;
    }

    std::tm local{};
    char stamp[32] = "";
    if (::localtime_r(&now, &local) == nullptr ||
        std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local) == 0) {
        error = "cannot format the backup time";
        return false;
    }

    // Reserve a name no other backup has: creating it exclusively is what
    // keeps two programs in the same second from sharing one file.
    std::string name;
    std::string path;
    for (int n = 1;; ++n) {
        if (n > kMaxSuffix) {
            error = "too many backups in one second in " + folder;
            return false;
        }
        name = std::string(stamp) + "-" + reason + (n > 1 ? "-" + std::to_string(n) : "");
        path = folder + "/" + name + kExtension;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            break;
        }
        if (errno != EEXIST) {
            error = systemError("cannot create " + path, errno);
            return false;
        }
    }

    // The image exactly as read from the controller (its time stamp too): the
    // file name carries the time of the backup.
    errno = 0;
    if (!vexor::writeSettingsFile(path, settings)) {
        const int code = errno;
        ::unlink(path.c_str());
        error = code != 0 ? systemError("cannot write " + path, code) : "cannot write " + path;
        return false;
    }
    if (raw != nullptr && raw->complete()) {
        vexor::SRawBackup rawBackup;
        rawBackup.version = settings.m_devInfo.m_version;
        rawBackup.serial = settings.m_devInfo.m_serial;
        rawBackup.image = *raw;
        const std::string rawPath = vexor::rawBackupPath(path);
        errno = 0;
        if (!vexor::writeRawBackup(rawPath, rawBackup)) {
            const int code = errno;
            ::unlink(path.c_str());
            error = code != 0 ? systemError("cannot write " + rawPath, code)
                              : "cannot write " + rawPath;
            return false;
        }
    }
    id = serial + "/" + name;
    rotate(serial);
    return true;
}

std::vector<CBackupStore::SEntry> CBackupStore::listFolder(const std::string& serial) const {
    struct SSorted {
        SEntry entry;
        long long written; // ns: orders backups of one second with other reasons
        int suffix;
    };
    std::vector<SSorted> found;
    std::error_code ec;
    for (fs::directory_iterator it(m_root + "/" + serial, ec), end; !ec && it != end;
         it.increment(ec)) {
        const std::string file = it->path().filename().string();
        if (file.size() <= std::strlen(kExtension) ||
            file.compare(file.size() - std::strlen(kExtension), std::string::npos, kExtension) != 0)
            continue;
        std::error_code fileEc;
        // An empty file is a name still being written.
        if (!it->is_regular_file(fileEc) || it->file_size(fileEc) == 0 || fileEc)
            continue;
        SSorted item{};
        const std::string name = file.substr(0, file.size() - std::strlen(kExtension));
        if (!parseName(name, item.entry, item.suffix))
            continue;
        item.entry.id = serial + "/" + name;
        item.entry.path = it->path().string();
        item.entry.serial = serial;
        struct stat st {};
        if (::stat(item.entry.path.c_str(), &st) == 0)
            item.written =
                static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
        found.push_back(std::move(item));
    }
    std::sort(found.begin(), found.end(), [](const SSorted& a, const SSorted& b) {
        if (a.entry.time != b.entry.time)
            return a.entry.time < b.entry.time;
        if (a.written != b.written)
            return a.written < b.written;
        if (a.suffix != b.suffix)
            return a.suffix < b.suffix;
        return a.entry.id < b.entry.id;
    });
    std::vector<SEntry> out;
    out.reserve(found.size());
    for (SSorted& item : found)
        out.push_back(std::move(item.entry));
    return out;
}

std::vector<CBackupStore::SEntry> CBackupStore::list(const std::string& serial) const {
    if (!serial.empty())
        return listFolder(serialFolder(serial));
    std::vector<std::string> folders;
    std::error_code ec;
    for (fs::directory_iterator it(m_root, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code dirEc;
        if (it->is_directory(dirEc))
            folders.push_back(it->path().filename().string());
    }
    std::vector<SEntry> all;
    for (const std::string& folder : folders) {
        if (serialFolder(folder) != folder)
            continue;
        auto entries = listFolder(folder);
        all.insert(all.end(), std::make_move_iterator(entries.begin()),
                   std::make_move_iterator(entries.end()));
    }
    // Oldest first over every controller; one controller's own order (same
    // second, suffixes) is kept by the stable sort.
    std::stable_sort(all.begin(), all.end(),
                     [](const SEntry& a, const SEntry& b) { return a.time < b.time; });
    return all;
}

bool CBackupStore::find(const std::string& id, SEntry& entry) const {
    std::string wanted = id;
    const std::size_t ext = std::strlen(kExtension);
    if (wanted.size() > ext && wanted.compare(wanted.size() - ext, ext, kExtension) == 0)
        wanted.resize(wanted.size() - ext);
    const std::size_t slash = wanted.find('/');
    if (slash == std::string::npos || slash == 0)
        return false;
    const std::string serial = wanted.substr(0, slash);
    if (serialFolder(serial) != serial || serial == "." || serial == "..")
        return false;
    for (const SEntry& candidate : listFolder(serial)) {
        if (candidate.id == wanted) {
            entry = candidate;
            return true;
        }
    }
    return false;
}

void CBackupStore::rotate(const std::string& serial) const {
    const std::vector<SEntry> entries = listFolder(serial);
    if (entries.size() <= kKeepNewest + 1)
        return;
    // entries[0] is the settings as first found; it stays for good.
    const std::size_t drop = entries.size() - kKeepNewest - 1;
    for (std::size_t i = 1; i <= drop; ++i) {
        ::unlink(vexor::rawBackupPath(entries[i].path).c_str());
        ::unlink(entries[i].path.c_str());
    }
}
