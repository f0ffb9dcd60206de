#include "platform/FileKind.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexor {

namespace {

FileKind kindOf(mode_t mode) {
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Directory;
    if (S_ISFIFO(mode))
        return FileKind::Fifo;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return FileKind::Device;
    return FileKind::Other;
}

// Opens with O_NONBLOCK so that a FIFO or a terminal that slipped in between
// the check and the open cannot block, then insists on a regular file.
int openChecked(const std::string& path, int flags, FileKind* kind) {
    const int fd = ::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return -1;
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        if (kind)
            *kind = kindOf(st.st_mode);
        ::close(fd);
        return -1;
    }
    const int status = ::fcntl(fd, F_GETFL);
    if (status >= 0)
        (void)::fcntl(fd, F_SETFL, status & ~O_NONBLOCK);
    return fd;
}

std::FILE* streamFor(int fd, const char* mode) {
    if (fd < 0)
        return nullptr;
    std::FILE* file = ::fdopen(fd, mode);
    if (!file)
        ::close(fd);
    return file;
}

} // namespace

FileKind fileKind(const std::string& path) {
    struct stat st {};
    if (path.empty() || ::stat(path.c_str(), &st) != 0)
        return FileKind::Missing;
    return kindOf(st.st_mode);
}

bool replaceableTarget(const std::string& path, FileKind* found) {
    const FileKind kind = fileKind(path);
    if (found)
        *found = kind;
    if (kind == FileKind::Regular)
        return true;
    if (kind != FileKind::Missing)
        return false;
    // Nothing behind the name: a plain new file is fine, but a link that
    // points nowhere would be replaced by a file and lose the link.
    struct stat st {};
    return !path.empty() && ::lstat(path.c_str(), &st) != 0 && errno == ENOENT;
}

std::FILE* openRegularForRead(const std::string& path, FileKind* kind) {
    const FileKind found = fileKind(path);
    if (kind)
        *kind = found;
    if (found != FileKind::Regular)
        return nullptr;
    return streamFor(openChecked(path, O_RDONLY, kind), "rb");
}

std::FILE* openRegularForWrite(const std::string& path, bool append, FileKind* kind) {
    if (!replaceableTarget(path, kind))
        return nullptr;
    // Truncation waits until the open proved a regular file: O_TRUNC on the
    // open itself would empty whatever won a race for the name.
    const int fd = openChecked(path, O_WRONLY | O_CREAT | (append ? O_APPEND : 0), kind);
    if (fd >= 0 && !append && ::ftruncate(fd, 0) != 0) {
        ::close(fd);
        return nullptr;
    }
    return streamFor(fd, append ? "ab" : "wb");
}

const char* notRegularMessage() {
    return "To nie jest zwykły plik (katalog, potok, urządzenie lub gniazdo):";
}

} // namespace vexor
