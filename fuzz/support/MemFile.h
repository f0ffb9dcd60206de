#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace vexor::fuzz {

// A file in memory with a real path, so the readers under test open it the
// way they open any file, without a disk write per run. Every open of path()
// starts a new file position at 0.
class CMemFile {
public:
    CMemFile() {
        m_fd = ::memfd_create("vexor-fuzz", MFD_CLOEXEC);
        if (m_fd < 0)
            std::abort();
        m_path = "/proc/self/fd/" + std::to_string(m_fd);
    }
    ~CMemFile() { ::close(m_fd); }
    CMemFile(const CMemFile&) = delete;
    CMemFile& operator=(const CMemFile&) = delete;

    // Replaces the whole content.
    void assign(const std::uint8_t* data, std::size_t size) {
        if (::ftruncate(m_fd, 0) != 0)
            std::abort();
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(m_fd, data + done, size - done, static_cast<off_t>(done));
            if (n <= 0)
                std::abort();
            done += static_cast<std::size_t>(n);
        }
    }

    const std::string& path() const { return m_path; }

private:
    int m_fd = -1;
    std::string m_path;
};

} // namespace vexor::fuzz
