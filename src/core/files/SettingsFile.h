#pragma once

#include "platform/AtomicFile.h"
#include "platform/FileKind.h"

#include <cstddef>
#include <string>
#include <unordered_map>

// Reader and writer of a settings file (.xset): plain text, one line per
// value, each line a key, a TAB and the value. Numbers are written like
// printf "%g" and read like atof, both in the C locale whatever the user's
// locale is, so files travel between installations.
//
// Writing goes to a temporary file beside the target that replaces it only
// when close() finds every line written, so a failed save never destroys the
// file that was there. Lines end in LF; CR LF files read the same.
class CSettingsFile {
public:
    // A settings file is about 12 KiB; anything larger than this is not one
    // and is refused when opened for reading.
    static constexpr std::size_t kMaxFileSize = 16u << 20;

    CSettingsFile() = default;
    // Closes the file (a file open for writing is committed if no write failed).
    ~CSettingsFile();

    CSettingsFile(const CSettingsFile&) = delete;
    CSettingsFile& operator=(const CSettingsFile&) = delete;

    // Opens path for writing (the target is replaced at close) or reads the
    // whole file for reading. True when the file is open.
    bool open(const std::string& path, bool write);
    // For writing: true only when every line was written and the complete file
    // replaced the target. For reading: true.
    bool close();
    bool isOpen() const { return m_open; }
    const std::string& path() const { return m_path; }

    bool writeNumber(const std::string& key, double value);
    // CR and LF inside the text are written as spaces: a line break would
    // split the line and make the file unreadable.
    bool writeText(const std::string& key, const std::string& text);

    // The value of the first line with this key; found also when the value is
    // empty. False when the key is missing or the file is not open for reading.
    bool readText(const std::string& key, std::string& value) const;
    // readText, then the number in the text (0 when it holds none).
    bool readNumber(const std::string& key, double& value) const;
    // The 1-based line of the key's first line; 0 when the key is missing.
    int lineOf(const std::string& key) const;
    // What open() found at the path when a read was refused: a directory, a
    // FIFO, a device or a socket is never read (a FIFO would block for ever).
    vexor::FileKind foundKind() const { return m_foundKind; }
    // Why the last open() or close() failed, or the first line that could not
    // be written (an errno value; EFBIG for a file too large to be settings).
    int error() const { return m_error; }

    // "%g" in the C locale: 1200, 0.8, 1.23457e+06.
    static std::string formatNumber(double value);
    // atof in the C locale: leading number of the text, 0 when there is none.
    static double parseNumber(const std::string& text);
    // The text as it is written: line breaks as spaces, cut at a zero byte.
    static std::string textForLine(const std::string& text);

private:
    bool writeLine(const std::string& key, const std::string& value);
    bool loadLines(std::FILE* file);

    std::string m_path;
    bool m_open = false;
    bool m_writing = false;
    bool m_writeFailed = false;
    CAtomicFile m_out;
    // key -> value of its first line.
    std::unordered_map<std::string, std::string> m_values;
    // key -> line number of its first line.
    std::unordered_map<std::string, int> m_lines;
    vexor::FileKind m_foundKind = vexor::FileKind::Regular;
    int m_error = 0;
};
