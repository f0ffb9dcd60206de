#include "backup/RawBackupFile.h"

#include "platform/AtomicFile.h"

#include <array>
#include <cerrno>
#include <cstdio>
#include <fstream>
#include <set>
#include <sstream>

namespace vexor {

namespace {

constexpr const char* kMagic = "vexor-raw 1";
constexpr const char* kCrcKey = "crc32 ";
// Far above any real file (a few kilobytes): a bigger one is no raw backup.
constexpr std::streamsize kMaxFileSize = 1 << 20;

std::string hex(const std::uint8_t* bytes, std::size_t count) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(count * 2);
    for (std::size_t i = 0; i < count; ++i) {
        out += digits[bytes[i] >> 4];
        out += digits[bytes[i] & 0x0F];
    }
    return out;
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

bool unhex(const std::string& text, std::vector<std::uint8_t>& out) {
    if (text.size() % 2 != 0)
        return false;
    out.clear();
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int hi = hexDigit(text[i]);
        const int lo = hexDigit(text[i + 1]);
        if (hi < 0 || lo < 0)
            return false;
        out.push_back(static_cast<std::uint8_t>(hi * 16 + lo));
    }
    return true;
}

// A whole decimal number with nothing around it.
bool number(const std::string& text, long long limit, long long& value) {
    if (text.empty() || text.size() > 10)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value <= limit;
}

std::vector<std::string> words(const std::string& line) {
    std::vector<std::string> out;
    std::istringstream in(line);
    for (std::string w; in >> w;)
        out.push_back(w);
    return out;
}

std::string lineProblem(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

} // namespace

std::uint32_t crc32(const std::string& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t i = 0; i < 256; ++i) {
            std::uint32_t c = i;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[i] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (unsigned char b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string rawBackupPath(const std::string& settingsPath) {
    const std::string ext = ".xset";
    if (settingsPath.size() > ext.size() &&
        settingsPath.compare(settingsPath.size() - ext.size(), ext.size(), ext) == 0)
        return settingsPath.substr(0, settingsPath.size() - ext.size()) + ".xraw";
    return settingsPath + ".xraw";
}

std::string formatRawBackup(const SRawBackup& backup) {
    std::string text = std::string(kMagic) + "\n";
    text += "version " + std::to_string(backup.version) + "\n";
    text += "serial " +
            hex(reinterpret_cast<const std::uint8_t*>(backup.serial.data()), backup.serial.size()) +
            "\n";
    for (const SRawBlock& b : backup.image.blocks()) {
        text += std::string(b.memory ? "memory " : "block ") + b.name + " " +
                std::to_string(b.where) + " " + std::to_string(b.writeCommand) + " " +
                std::to_string(b.bytes.size()) + " " + hex(b.bytes.data(), b.bytes.size()) + "\n";
    }
    char crc[16];
    std::snprintf(crc, sizeof crc, "%08X", static_cast<unsigned>(crc32(text)));
    return text + kCrcKey + crc + "\n";
}

bool parseRawBackup(const std::string& text, SRawBackup& backup, std::string& problem) {
    // The check sum first: a damaged file is refused as a whole, before any
    // of its lines is believed.
    const std::size_t crcAt = text.rfind(std::string("\n") + kCrcKey);
    if (crcAt == std::string::npos) {
        problem = "no check sum: the file is cut short";
        return false;
    }
    const std::string body = text.substr(0, crcAt + 1);
    std::string crcLine = text.substr(crcAt + 1 + std::string(kCrcKey).size());
    if (crcLine.empty() || crcLine.back() != '\n' || crcLine.find('\n') != crcLine.size() - 1) {
        problem = "text after the check sum";
        return false;
    }
    crcLine.pop_back();
    char expected[16];
    std::snprintf(expected, sizeof expected, "%08X", static_cast<unsigned>(crc32(body)));
    if (crcLine != expected) {
        problem = "check sum " + crcLine + " does not match the contents (" + expected + ")";
        return false;
    }

    SRawBackup out;
    std::set<std::string> seen;
    bool haveVersion = false;
    bool haveSerial = false;
    std::istringstream in(body);
    std::string line;
    int n = 0;
    while (std::getline(in, line)) {
        ++n;
        if (n == 1) {
            if (line != kMagic) {
                problem = lineProblem(n, "not a raw backup of this program");
                return false;
            }
            continue;
        }
        const std::vector<std::string> w = words(line);
        long long value = 0;
        if (w.size() == 2 && w[0] == "version" && !haveVersion) {
            if (!number(w[1], 0x7FFFFFFF, value)) {
                problem = lineProblem(n, "bad version");
                return false;
            }
            out.version = static_cast<std::int32_t>(value);
            haveVersion = true;
        } else if ((w.size() == 2 || w.size() == 1) && w[0] == "serial" && !haveSerial) {
            std::vector<std::uint8_t> bytes;
            if (w.size() == 2 && !unhex(w[1], bytes)) {
                problem = lineProblem(n, "bad serial");
                return false;
            }
            out.serial.assign(bytes.begin(), bytes.end());
            haveSerial = true;
        } else if (w.size() == 6 && (w[0] == "block" || w[0] == "memory")) {
            const SRawBlock* entry = CRawImage::layoutOf(w[1]);
            long long where = 0;
            long long command = 0;
            long long length = 0;
            std::vector<std::uint8_t> bytes;
            if (entry == nullptr || entry->memory != (w[0] == "memory") ||
                !number(w[2], 0xFFFF, where) || !number(w[3], 0xFF, command) ||
                !number(w[4], 0xFFFF, length) || where != entry->where ||
                command != entry->writeCommand ||
                length != static_cast<long long>(entry->bytes.size())) {
                problem = lineProblem(n, "a block this program does not know: " + w[1]);
                return false;
            }
            if (!unhex(w[5], bytes) || bytes.size() != entry->bytes.size()) {
                problem = lineProblem(n, "the bytes of " + w[1] + " are damaged");
                return false;
            }
            if (!seen.insert(w[1]).second) {
                problem = lineProblem(n, w[1] + " given twice");
                return false;
            }
            out.image.store(w[1], bytes.data(), bytes.size());
        } else {
            problem = lineProblem(n, "not understood");
            return false;
        }
    }
    if (n == 0) {
        problem = "empty file";
        return false;
    }
    if (!haveVersion || !haveSerial || !out.image.complete()) {
        problem = "blocks or the controller's identity are missing";
        return false;
    }
    backup = std::move(out);
    return true;
}

bool writeRawBackup(const std::string& path, const SRawBackup& backup) {
    const std::string text = formatRawBackup(backup);
    CAtomicFile file;
    if (!file.open(path))
        return false;
    if (std::fwrite(text.data(), 1, text.size(), file.stream()) != text.size()) {
        const int code = errno;
        file.discard();
        errno = code;
        return false;
    }
    return file.commit();
}

bool readRawBackup(const std::string& path, SRawBackup& backup, std::string& problem) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        problem = "cannot open " + path;
        return false;
    }
    std::string text;
    char buffer[4096];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (static_cast<std::streamsize>(text.size()) > kMaxFileSize) {
            problem = path + ": too big for a raw backup";
            return false;
        }
    }
    if (!parseRawBackup(text, backup, problem)) {
        problem = path + ": " + problem;
        return false;
    }
    return true;
}

} // namespace vexor
