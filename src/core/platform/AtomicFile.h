#pragma once

#include <cstdio>
#include <string>

// Writes a file so that readers only ever see the old content or the complete
// new one: the data goes to a temporary file beside the target, which replaces
// the target only when every byte has reached the disk. A write that fails, or
// an object destroyed without commit(), leaves the target as it was.
class CAtomicFile {
public:
    CAtomicFile() = default;
    ~CAtomicFile();

    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file beside target (a symbolic link is followed, so
    // the file it points to is the one replaced). False when it cannot be made,
    // or when target exists but this process may not write to it, or when it
    // is anything but a regular file (directly or behind a link) or nothing.
    bool open(const std::string& target);
    bool isOpen() const { return m_stream != nullptr; }
    // The stream to write to; null when not open.
    std::FILE* stream() const { return m_stream; }

    // Flushes, syncs and closes the temporary file and renames it over the
    // target. False (and the target untouched) when any step fails.
    bool commit();
    // Drops the temporary file; the target stays as it was.
    void discard();
    // Why the last open() or commit() failed (an errno value); 0 after success.
    int error() const { return m_error; }

private:
    std::FILE* m_stream = nullptr;
    std::string m_target;
    std::string m_tempPath;
    int m_error = 0;
};
