#pragma once

#include "threads/Mutex.h"

#include <string>

// An open language file: UTF-16 little-endian text after a byte-order mark,
// one entry per CR LF line, three TAB-separated columns (the Polish text, an
// unused column, the translation). The file stays open and is read from its
// start at every lookup, so an edited file is seen without a restart. Line
// breaks and TABs inside a text are written as \r, \n and \t.
class CLangFile {
public:
    // Lines longer than this (line end not counted) are skipped whole.
    static constexpr size_t kMaxLineChars = 2048;

    CLangFile() = default;
    ~CLangFile();
    CLangFile(const CLangFile&) = delete;
    CLangFile& operator=(const CLangFile&) = delete;

    // Opens the file for reading, closing any file opened before. A missing
    // file leaves this object closed (false).
    bool open(const std::string& path);
    void close();
    bool isOpen() const;
    std::string path() const;

    // The translation of the Polish text (both UTF-8), or the Polish text when
    // the file is closed, has no line for it, or the line's translation is
    // empty.
    std::string lookup(const std::string& polish) const;

private:
    void closeLocked();

    mutable CMutex m_lock;
    int m_fd = -1;
    std::string m_path;
};
