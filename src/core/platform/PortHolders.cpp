#include "platform/PortHolders.h"

#include "platform/TtyIoctl.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vexor {

namespace {

bool numeric(const char* text, long& value) {
    char* end = nullptr;
    value = std::strtol(text, &end, 10);
    return end != text && *end == '\0';
}

std::string commandName(long pid) {
    std::ifstream comm("/proc/" + std::to_string(pid) + "/comm");
    std::string name;
    std::getline(comm, name);
    return name;
}

// Whether any descriptor the process has open satisfies `match`, given the
// descriptor's number (as text) and what it refers to.
template <class Match> bool anyDescriptor(long pid, Match match) {
    const std::string folder = "/proc/" + std::to_string(pid) + "/fd";
    DIR* fds = ::opendir(folder.c_str());
    if (fds == nullptr)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(fds)) {
        struct stat st {};
        if (entry->d_name[0] == '.' || ::stat((folder + "/" + entry->d_name).c_str(), &st) != 0)
            continue;
        if (match(entry->d_name, st)) {
            found = true;
            break;
        }
    }
    ::closedir(fds);
    return found;
}

// Whether the process has a descriptor open on the device (st_rdev).
bool holds(long pid, dev_t device) {
    return anyDescriptor(pid, [device](const char*, const struct stat& st) {
        return S_ISCHR(st.st_mode) && st.st_rdev == device;
    });
}

// The index of the pseudo-terminal whose slave device this is, -1 for any
// other device (slaves have the majors 136..143, 256 minors each).
long ptyIndex(dev_t device) {
    const unsigned int majorNumber = major(device);
    if (majorNumber < 136 || majorNumber > 143)
        return -1;
    return static_cast<long>((majorNumber - 136) * 256 + minor(device));
}

bool isPtyMaster(const struct stat& st) {
    // /dev/ptmx and every devpts instance's ptmx.
    return S_ISCHR(st.st_mode) && major(st.st_rdev) == 5 && minor(st.st_rdev) == 2;
}

// The pseudo-terminal a master descriptor serves, from its fdinfo.
long masterIndex(long pid, const char* fd) {
    std::ifstream info("/proc/" + std::to_string(pid) + "/fdinfo/" + fd);
    std::string line;
    while (std::getline(info, line)) {
        if (line.rfind("tty-index:", 0) == 0)
            return std::strtol(line.c_str() + 10, nullptr, 10);
    }
    return -1;
}

} // namespace

bool holdsOtherEnd(long pid, const std::string& path) {
    struct stat port {};
    if (::stat(path.c_str(), &port) != 0 || !S_ISCHR(port.st_mode))
        return false;
    const long index = ptyIndex(port.st_rdev);
    if (index < 0)
        return false;
    return anyDescriptor(pid, [pid, index](const char* fd, const struct stat& st) {
        return isPtyMaster(st) && masterIndex(pid, fd) == index;
    });
}

std::vector<SPortHolder> portUsers(const std::string& path) {
    std::vector<SPortHolder> users = portHolders(path);
    std::erase_if(users, [&](const SPortHolder& h) { return holdsOtherEnd(h.pid, path); });
    return users;
}

bool staleExclusive(const std::string& path) {
    bool marked = false;
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        marked = errno == EBUSY;
    } else {
        if (tty::exclusiveState(fd, marked) != 0)
            marked = false;
        ::close(fd);
    }
    return marked && portUsers(path).empty();
}

bool portBusy(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return errno == EBUSY;
    // A privileged caller opens a port marked exclusive all the same; the
    // mark is still someone else's.
    bool busy = false;
    if (tty::exclusiveState(fd, busy) != 0)
        busy = false;
    if (!busy && ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        busy = errno == EWOULDBLOCK;
    ::close(fd);
    return busy;
}

std::vector<SPortHolder> portHolders(const std::string& path) {
    std::vector<SPortHolder> holders;
    struct stat port {};
    if (::stat(path.c_str(), &port) != 0 || !S_ISCHR(port.st_mode))
        return holders;
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr)
        return holders;
    const long self = ::getpid();
    while (const dirent* entry = ::readdir(proc)) {
        long pid = 0;
        if (!numeric(entry->d_name, pid) || pid == self)
            continue;
        if (holds(pid, port.st_rdev))
            holders.push_back({static_cast<int>(pid), commandName(pid)});
    }
    ::closedir(proc);
    return holders;
}

std::string describePortHolders(const std::string& path) {
    std::string text = path;
    const std::vector<SPortHolder> holders = portUsers(path);
    for (std::size_t i = 0; i < holders.size(); ++i) {
        text += i == 0 ? " (" : ", ";
        text += "PID " + std::to_string(holders[i].pid);
        if (!holders[i].name.empty())
            text += " " + holders[i].name;
    }
    if (!holders.empty())
        text += ")";
    return text;
}

} // namespace vexor
