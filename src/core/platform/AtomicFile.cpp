#include "platform/AtomicFile.h"

#include "platform/FileKind.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The process's file-creation mask, read without changing it (umask() would
// have to set it, which races with other threads creating files).
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::strtoul(line.c_str() + 6, nullptr, 8));
        }
    }
    return 022;
}

// The mode the new file should carry: the old file's, or what an ordinary
// create would give (mkstemp alone would leave 0600).
mode_t modeFor(const std::string& target) {
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        return st.st_mode & 07777;
    }
    return 0666 & ~currentUmask();
}

} // namespace

CAtomicFile::~CAtomicFile() {
    discard();
}

bool CAtomicFile::open(const std::string& target) {
    discard();
    m_error = 0;
    // Only a regular file (or nothing yet) is replaced: a FIFO, a device node
    // or a dangling link renamed over would be lost to whoever owns it.
    if (target.empty() || !vexor::replaceableTarget(target)) {
        m_error = target.empty() ? ENOENT : EINVAL;
        return false;
    }
    m_target = target;
    char resolved[PATH_MAX];
    if (::realpath(target.c_str(), resolved) != nullptr) {
        m_target = resolved;
    }
    // Replacing is allowed only where overwriting would be: a file the user
    // made read-only must not be swapped for a new one behind its back.
    if (::access(m_target.c_str(), F_OK) == 0 && ::access(m_target.c_str(), W_OK) != 0) {
        m_error = errno;
        return false;
    }
    std::string pattern = m_target + ".XXXXXX";
    int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0) {
        m_error = errno;
        return false;
    }
    ::fchmod(fd, modeFor(m_target));
    m_stream = ::fdopen(fd, "w");
    if (m_stream == nullptr) {
        m_error = errno;
        ::close(fd);
        ::unlink(pattern.c_str());
        return false;
    }
    m_tempPath = pattern;
    return true;
}

bool CAtomicFile::commit() {
    if (m_stream == nullptr) {
        return false;
    }
    // The first step that fails says why; a write error seen earlier by the
    // stream left its errno behind.
    m_error = 0;
    auto step = [this](bool done) {
        if (!done && m_error == 0)
            m_error = errno != 0 ? errno : EIO;
        return done;
    };
    errno = 0;
    const bool written = !std::ferror(m_stream);
    bool ok = step(std::fflush(m_stream) == 0) && step(written);
    ok = ok && step(::fsync(::fileno(m_stream)) == 0);
    ok = step(std::fclose(m_stream) == 0) && ok;
    m_stream = nullptr;
    ok = ok && step(::rename(m_tempPath.c_str(), m_target.c_str()) == 0);
    if (!ok) {
        ::unlink(m_tempPath.c_str());
    }
    m_tempPath.clear();
    return ok;
}

void CAtomicFile::discard() {
    if (m_stream != nullptr) {
        std::fclose(m_stream);
        m_stream = nullptr;
    }
    if (!m_tempPath.empty()) {
        ::unlink(m_tempPath.c_str());
        m_tempPath.clear();
    }
}
