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

// Whether the process has a descriptor open on the device (st_rdev).
bool holds(long pid, dev_t device) {
    const std::string folder = "/proc/" + std::to_string(pid) + "/fd";
    DIR* fds = ::opendir(folder.c_str());
    if (fds == nullptr)
        return false;
    bool found = false;
    while (const dirent* entry = ::readdir(fds)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st {};
        const std::string link = folder + "/" + entry->d_name;
        if (::stat(link.c_str(), &st) == 0 && S_ISCHR(st.st_mode) && st.st_rdev == device) {
            found = true;
            break;
        }
    }
    ::closedir(fds);
    return found;
}

} // namespace

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
    const std::vector<SPortHolder> holders = portHolders(path);
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
